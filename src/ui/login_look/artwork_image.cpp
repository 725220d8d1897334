#include "login_look/artwork_image.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <future>

namespace tarvenne::ui {
namespace {

// Decoded into the format in which a pixmap draws it, so that making the pixmap copies nothing.
QImage decodeArtwork() {
    QImage image(QStringLiteral(":/login_look/login_artwork.png"));
    image.convertTo(QImage::Format_ARGB32_Premultiplied);
    return image;
}

std::future<QImage> preloaded;

QImage takeArtwork() {
    return preloaded.valid() ? preloaded.get() : decodeArtwork();
}

} // namespace

void ArtworkImage::preload() {
    if (!preloaded.valid())
        preloaded = std::async(std::launch::async, decodeArtwork);
}

ArtworkImage::ArtworkImage(QWidget* parent)
    : QWidget(parent), picture_(QPixmap::fromImage(takeArtwork())) {
    setGeometry(parent->rect());
    parent->installEventFilter(this);
}

void ArtworkImage::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
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
