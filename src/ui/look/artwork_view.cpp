#include "look/artwork_view.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

namespace tarvenne::ui {

ArtworkView::ArtworkView(QWidget* parent)
    : QWidget(parent), picture_(QStringLiteral(":/look/login_artwork.png")) {
    setGeometry(parent->rect());
    parent->installEventFilter(this);
}

void ArtworkView::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

bool ArtworkView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

void ArtworkView::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, picture_);
}

void ArtworkView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        drag_ = Drag::Pressed;
    event->accept();
}

void ArtworkView::mouseMoveEvent(QMouseEvent* event) {
    QWidget& moved = *window();
    const QPoint at = event->globalPosition().toPoint();
    if (drag_ == Drag::MovingByHand) {
        moved.move(at - grabOffset_);
        return;
    }
    if (drag_ != Drag::Pressed || !(event->buttons() & Qt::LeftButton))
        return;
    // The window manager's move follows the pointer until the button is released. Until it has
    // taken the pointer over, mouse moves still reach the artwork with the button held: only a
    // new press starts another move.
    if (QWindow* native = moved.windowHandle(); native && native->startSystemMove()) {
        drag_ = Drag::Finished;
        return;
    }
    drag_ = Drag::MovingByHand;
    grabOffset_ = at - moved.pos();
}

void ArtworkView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        drag_ = Drag::Finished;
}

} // namespace tarvenne::ui
