#include "artwork.h"

#include "frame_layout.h"
#include "materials.h"
#include "ornaments.h"
#include "silhouette.h"

#include <QLinearGradient>
#include <QPainter>

namespace artwork {

namespace {

void paintWood(QPainter& p, const QPainterPath& frame) {
    p.fillPath(frame, lacquerWood(canvasSize, Grain::Vertical));
    QPainterPath baseRight;
    baseRight.addRect(QRectF(opening.left() - 10, 0, canvasSize.width(), canvasSize.height()));
    const QPainterPath horizontal = beamShape().united(baseShape().intersected(baseRight));
    p.fillPath(frame.intersected(horizontal), lacquerWood(canvasSize, Grain::Horizontal));
    bevel(p, frame, 2.5, 110);
    // a gilded lath where the beam rests on the wing
    QPainterPath lath;
    lath.addRect(QRectF(226, 100, opening.left() - 226, 5));
    fillGold(p, lath.intersected(frame));
}

void paintRim(QPainter& p, const QPainterPath& frame) {
    p.save();
    p.setClipPath(frame);
    strokeGold(p, frame, 3.0);
    p.restore();
}

void paintOpeningMoulding(QPainter& p) {
    QPainterPath ring;
    ring.addRect(QRectF(opening).adjusted(-9, -4, 9, 9));
    QPainterPath open;
    open.addRect(opening);
    fillGold(p, ring.subtracted(open));
    // the inner lip is in shadow: the browser sits recessed behind the frame
    p.save();
    p.setPen(QPen(QColor(40, 20, 6), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(opening).adjusted(-0.5, -0.5, 0.5, 0.5));
    p.restore();
}

void paintPlaque(QPainter& p) {
    QPainterPath field;
    field.addRoundedRect(plaque, 6, 6);
    QPainterPath border;
    border.addRoundedRect(plaque.adjusted(-6, -6, 6, 6), 9, 9);
    fillGold(p, border.subtracted(field));
    p.fillPath(field, parchment(canvasSize));
    // the edges of the parchment darken where they meet the frame
    p.save();
    p.setClipPath(field);
    QLinearGradient shade(plaque.topLeft(), plaque.bottomLeft());
    shade.setColorAt(0.0, QColor(90, 50, 10, 90));
    shade.setColorAt(0.25, QColor(90, 50, 10, 0));
    shade.setColorAt(0.8, QColor(90, 50, 10, 0));
    shade.setColorAt(1.0, QColor(90, 50, 10, 60));
    p.fillRect(plaque, shade);
    QLinearGradient sides(plaque.topLeft(), plaque.topRight());
    sides.setColorAt(0.0, QColor(90, 50, 10, 110));
    sides.setColorAt(0.06, QColor(90, 50, 10, 0));
    sides.setColorAt(0.94, QColor(90, 50, 10, 0));
    sides.setColorAt(1.0, QColor(90, 50, 10, 110));
    p.fillRect(plaque, sides);
    p.restore();
    bevel(p, field, -2.0, 150);
    for (const qreal x : {plaque.left() + 2, plaque.right() - 2})
        rivet(p, QPointF(x, plaque.bottom() - 2), 3.2);
}

void paintBeamEnds(QPainter& p) {
    cloudScroll(p, QPointF(246, 74), 22, false);
    cloudScroll(p, QPointF(1066, 76), 30, true);
    rivet(p, QPointF(232, 48), 3.4);
    rivet(p, QPointF(1094, 46), 3.4);
}

void paintWing(QPainter& p) {
    emblemDisc(p, QPointF(192, 300), 90);
    cloudScroll(p, QPointF(168, 158), 64, false);
    cloudScroll(p, QPointF(300, 206), 36, true);
    cloudScroll(p, QPointF(132, 408), 44, true);
    cloudScroll(p, QPointF(318, 398), 30, false);
    for (const qreal y : {140.0, 220.0, 300.0, 380.0, 460.0})
        rivet(p, QPointF(342, y), 3.4);
}

void paintPillar(QPainter& p) {
    for (const QRectF& b : pillarBands()) {
        QPainterPath band;
        band.addRoundedRect(b, 5, 5);
        fillGold(p, band);
        rivet(p, b.center() + QPointF(8, 0), 3.0);
    }
    p.save();
    p.setPen(QPen(QColor(12, 6, 2), 2.0));
    p.drawLine(QLineF(1026, 112, 1026, 500));
    p.setPen(QPen(QColor(196, 146, 58), 1.0));
    p.drawLine(QLineF(1025.5, 112, 1025.5, 500));
    p.restore();
}

void paintBase(QPainter& p) {
    keyFret(p, QRectF(392, 516, 576, 11));
    for (const qreal x : {380.0, 980.0})
        rivet(p, QPointF(x, 522), 3.6);
    cloudScroll(p, QPointF(1060, 518), 16, true);
}

void paintLight(QPainter& p, const QPainterPath& frame) {
    p.save();
    p.setClipPath(frame);
    QLinearGradient light(QPointF(0, 0), QPointF(canvasSize.width(), canvasSize.height()));
    light.setColorAt(0.0, QColor(255, 240, 200, 26));
    light.setColorAt(0.45, QColor(255, 240, 200, 0));
    light.setColorAt(1.0, QColor(0, 0, 0, 60));
    p.fillRect(QRect(QPoint(), canvasSize), light);
    p.restore();
}

// A dark hairline just inside the outline: the edge pixels that the antialiasing leaves partly
// transparent then blend into a dark line over any desktop.
void paintOutline(QPainter& p, const QPainterPath& frame) {
    p.save();
    p.setClipPath(frame);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(18, 10, 4), 1.6));
    p.drawPath(frame);
    p.restore();
}

} // namespace

QImage paintArtwork() {
    QImage image(canvasSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const QPainterPath frame = frameSilhouette();
    paintWood(p, frame);
    p.save();
    p.setClipPath(frame);
    paintOpeningMoulding(p);
    paintPlaque(p);
    paintBeamEnds(p);
    paintWing(p);
    paintPillar(p);
    paintBase(p);
    p.restore();
    paintRim(p, frame);
    crest(p, crestShape().intersected(frame));
    tassel(p, tasselShape(), tasselX);
    jadeBoss(p, plaqueBossCentre, closeMedallionRadius);
    closeMedallion(p, closeMarkCentre, closeMedallionRadius);
    paintLight(p, frame);
    paintOutline(p, frame);
    p.end();
    return image;
}

} // namespace artwork
