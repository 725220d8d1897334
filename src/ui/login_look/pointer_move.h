#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace tarvenne::ui {

// Moves a top-level window with the pointer until the left button is released: through the
// window system's own move where it offers one, by hand otherwise.
class PointerMove : public QObject {
public:
    // Starts moving the window of `handle`, the control that holds the mouse grab, from the
    // pointer's position `globalPos`. Does nothing while a move by hand is going on.
    static void start(QWidget& handle, QPoint globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PointerMove(QWidget& handle, QPoint grabOffset);

    QWidget& window_;
    QPoint grabOffset_;
};

} // namespace tarvenne::ui
