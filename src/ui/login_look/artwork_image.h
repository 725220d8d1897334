#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>

namespace tarvenne::ui {

// The login window's artwork: drawn at its pixel size from the top-left corner, with its alpha
// channel over the window's background, on a control that always fills its parent.
// The picture is taken from the decoding that preload() started, where it did.
class ArtworkImage : public QWidget {
    Q_OBJECT

public:
    explicit ArtworkImage(QWidget* parent);

    // Starts decoding the artwork on a thread of its own, so that it overlaps the rest of the
    // start-up; the next control made takes the result, waiting for it if need be.
    static void preload();

    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

    // Every mouse move over the artwork, with the buttons and modifier keys held and the
    // pointer's position on the control.
    std::function<void(ArtworkImage* Sender, Qt::MouseButtons Shift, Qt::KeyboardModifiers, int X,
                       int Y)>
        OnMouseMove;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QPixmap picture_;
};

} // namespace tarvenne::ui
