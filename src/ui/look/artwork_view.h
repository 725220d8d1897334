#pragma once

#include <QPixmap>
#include <QPoint>
#include <QWidget>

namespace tarvenne::ui {

// The login window's artwork: drawn at its pixel size from the top-left corner, with its alpha
// channel over the window's background, on a control that always fills its parent. It is the
// window's handle: the window follows the pointer from a press of the left button on it until the
// release, through the window system's own move where it offers one, by hand otherwise. One move
// for each press: the window stops at the release and stays put until the next press.
class ArtworkView final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ArtworkView)

public:
    explicit ArtworkView(QWidget* parent);

    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    enum class Drag {
        Pressed,      // the left button went down; no move yet
        MovingByHand, // the window follows the mouse moves
        Finished,     // the move has ended, or the window system's own move runs it
    };

    QPixmap picture_;
    Drag drag_ = Drag::Finished;
    QPoint grabOffset_;
};

} // namespace tarvenne::ui
