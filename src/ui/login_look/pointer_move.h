#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace tarvenne::ui {

// Moves a top-level window with the pointer from a press of the left button until its release:
// through the window system's own move where it offers one, by hand otherwise. One move for
// each press: the window stops at the release and stays put until the next press.
class PointerMove : public QObject {
public:
    // Starts moving the window of `handle`, the control that holds the mouse grab, from the
    // pointer's position `globalPos`. Does nothing when the press that is going on has already
    // started a move.
    static void start(QWidget& handle, QPoint globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PointerMove(QWidget& handle);
    void begin(QPoint globalPos);

    enum class Phase {
        Pressed,      // the left button went down; no move yet
        MovingByHand, // the window follows the grab's mouse moves
        Finished,     // the move has ended, or the window system's own move runs it
    };

    QWidget& window_;
    QPoint grabOffset_;
    Phase phase_ = Phase::Pressed;
};

} // namespace tarvenne::ui
