#include "login_look/artwork_image.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tarvenne::ui {

ArtworkImage::ArtworkImage(QWidget* parent)
    : QWidget(parent), picture_(QStringLiteral(":/login_look/login_artwork.png")) {
    setGeometry(parent->rect());
    parent->installEventFilter(this);
}

bool ArtworkImage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return false;
}

void ArtworkImage::paintEvent(QPaintEvent*) {
    QPainter(this).drawPixmap(0, 0, picture_);
}

void ArtworkImage::mousePressEvent(QMouseEvent* event) {
    event->accept();
}

void ArtworkImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (OnMouseMove)
        OnMouseMove(this, event->buttons(), event->modifiers(), at.x(), at.y());
}

} // namespace tarvenne::ui
