#include "ornaments.h"

#include "materials.h"

#include <QPainter>
#include <QRadialGradient>
#include <QTransform>
#include <cmath>
#include <numbers>

namespace artwork {

void rivet(QPainter& p, QPointF centre, qreal radius) {
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(20, 10, 4));
    p.drawEllipse(centre + QPointF(0.6, 0.8), radius + 0.9, radius + 0.9);
    QRadialGradient dome(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.4);
    dome.setColorAt(0.0, QColor(255, 248, 210));
    dome.setColorAt(0.35, QColor(232, 186, 84));
    dome.setColorAt(0.8, QColor(140, 92, 26));
    dome.setColorAt(1.0, QColor(82, 50, 12));
    p.setBrush(dome);
    p.drawEllipse(centre, radius, radius);
    p.restore();
}

void cloudScroll(QPainter& p, QPointF centre, qreal size, bool mirrored) {
    // Drawn in a unit box from (-1,-0.5) to (1,0.5), then placed.
    QPainterPath s;
    s.moveTo(-0.55, 0.05);
    s.cubicTo(-0.55, -0.2, -0.25, -0.25, -0.22, -0.05);
    s.cubicTo(-0.2, 0.1, -0.42, 0.12, -0.4, -0.02);
    s.moveTo(-0.55, 0.05);
    s.cubicTo(-0.5, 0.38, -0.05, 0.38, 0.1, 0.12);
    s.cubicTo(0.22, -0.1, 0.3, -0.36, 0.62, -0.3);
    s.cubicTo(0.9, -0.24, 0.92, 0.12, 0.66, 0.14);
    s.cubicTo(0.48, 0.15, 0.46, -0.08, 0.62, -0.08);
    s.moveTo(-0.55, 0.05);
    s.cubicTo(-0.8, 0.06, -0.95, 0.18, -1.0, 0.3);
    QTransform t;
    t.translate(centre.x(), centre.y());
    t.scale(mirrored ? -size : size, size);
    strokeGold(p, t.map(s), std::max(1.6, size * 0.045));
}

void keyFret(QPainter& p, const QRectF& strip) {
    const qreal h = strip.height();
    const qreal step = h * 1.6;
    QPainterPath fret;
    for (qreal x = strip.left(); x + step <= strip.right() + 0.1; x += step) {
        const qreal l = x + h * 0.15;
        const qreal r = x + step - h * 0.15;
        const qreal top = strip.top() + h * 0.15;
        const qreal bottom = strip.bottom() - h * 0.15;
        fret.moveTo(l, bottom);
        fret.lineTo(l, top);
        fret.lineTo(r, top);
        fret.lineTo(r, bottom);
        fret.lineTo(l + (r - l) * 0.33, bottom);
        fret.lineTo(l + (r - l) * 0.33, top + (bottom - top) * 0.4);
        fret.lineTo(l + (r - l) * 0.66, top + (bottom - top) * 0.4);
    }
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(16, 8, 4), 2.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(fret.translated(0.7, 0.7));
    p.setPen(QPen(QColor(206, 156, 64), 1.4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawPath(fret);
    p.restore();
}

void emblemDisc(QPainter& p, QPointF centre, qreal radius) {
    QPainterPath rim;
    rim.addEllipse(centre, radius, radius);
    fillBronze(p, rim);
    QPainterPath goldRing;
    goldRing.addEllipse(centre, radius - 5, radius - 5);
    QPainterPath goldInner;
    goldInner.addEllipse(centre, radius - 11, radius - 11);
    fillGold(p, goldRing.subtracted(goldInner));
    for (int i = 0; i < 16; ++i) {
        const double a = i * std::numbers::pi / 8;
        rivet(p, centre + QPointF(std::cos(a), std::sin(a)) * (radius - 8), 2.2);
    }

    const qreal jadeRadius = radius - 13;
    QRadialGradient jade(centre - QPointF(jadeRadius * 0.3, jadeRadius * 0.35), jadeRadius * 1.3);
    jade.setColorAt(0.0, QColor(150, 214, 178));
    jade.setColorAt(0.45, QColor(52, 140, 104));
    jade.setColorAt(1.0, QColor(12, 58, 42));
    QPainterPath jadeDisc;
    jadeDisc.addEllipse(centre, jadeRadius, jadeRadius);
    p.fillPath(jadeDisc, jade);
    bevel(p, jadeDisc, -2.0, 150);

    // carved rings in the jade
    p.save();
    p.setBrush(Qt::NoBrush);
    for (const qreal r : {jadeRadius * 0.84, jadeRadius * 0.8}) {
        p.setPen(QPen(QColor(8, 40, 28, 200), 1.4));
        p.drawEllipse(centre + QPointF(0.6, 0.6), r, r);
        p.setPen(QPen(QColor(180, 236, 204, 160), 1.0));
        p.drawEllipse(centre, r, r);
    }
    p.restore();

    // the compass star: eight points, the four long ones in gold
    QPainterPath star;
    for (int i = 0; i < 16; ++i) {
        const double a = i * std::numbers::pi / 8 - std::numbers::pi / 2;
        const double r = i % 4 == 0   ? jadeRadius * 0.74
                         : i % 2 == 0 ? jadeRadius * 0.5
                                      : jadeRadius * 0.2;
        const QPointF pt = centre + QPointF(std::cos(a), std::sin(a)) * r;
        i == 0 ? star.moveTo(pt) : star.lineTo(pt);
    }
    star.closeSubpath();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(6, 30, 20, 190));
    p.drawPath(star.translated(2, 2.5));
    p.restore();
    fillGold(p, star);
    // facet lines from the centre to each point
    p.save();
    p.setPen(QPen(QColor(120, 76, 20, 180), 0.9));
    for (int i = 0; i < 16; i += 2) {
        const double a = i * std::numbers::pi / 8 - std::numbers::pi / 2;
        const double r = i % 4 == 0 ? jadeRadius * 0.74 : jadeRadius * 0.5;
        p.drawLine(centre, centre + QPointF(std::cos(a), std::sin(a)) * r);
    }
    p.restore();

    QRadialGradient pearl(centre - QPointF(4, 4), 16);
    pearl.setColorAt(0.0, QColor(255, 190, 170));
    pearl.setColorAt(0.4, QColor(214, 48, 30));
    pearl.setColorAt(1.0, QColor(96, 10, 6));
    QPainterPath pearlPath;
    pearlPath.addEllipse(centre, 11, 11);
    QPainterPath setting;
    setting.addEllipse(centre, 14, 14);
    fillGold(p, setting);
    p.fillPath(pearlPath, pearl);
}

void crest(QPainter& p, const QPainterPath& shape) {
    fillGold(p, shape);
    const QRectF box = shape.boundingRect();
    const QPointF pearlCentre(box.center().x(), 25);
    QRadialGradient jade(pearlCentre - QPointF(4, 5), 14);
    jade.setColorAt(0.0, QColor(190, 240, 210));
    jade.setColorAt(0.5, QColor(44, 150, 110));
    jade.setColorAt(1.0, QColor(10, 60, 44));
    QPainterPath pearl;
    pearl.addEllipse(pearlCentre, 10, 10);
    p.fillPath(pearl, jade);
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(90, 56, 12), 1.2));
    p.drawPath(pearl);
    // petal veins of the lotus
    for (const qreal dx : {-40.0, -24.0, 24.0, 40.0}) {
        QPainterPath vein;
        vein.moveTo(pearlCentre.x() + dx * 0.6, 36);
        vein.quadTo(pearlCentre.x() + dx * 0.85, 31, pearlCentre.x() + dx, 29);
        p.drawPath(vein);
    }
    p.restore();
}

void tassel(QPainter& p, const QPainterPath& shape, qreal centreX) {
    p.save();
    p.setClipPath(shape);
    QLinearGradient silk(centreX - 12, 0, centreX + 12, 0);
    silk.setColorAt(0.0, QColor(120, 8, 6));
    silk.setColorAt(0.35, QColor(222, 44, 30));
    silk.setColorAt(1.0, QColor(90, 6, 4));
    p.fillRect(QRectF(centreX - 14, 130, 28, 66), silk);
    p.setPen(QPen(QColor(70, 0, 0, 170), 0.9));
    for (qreal dx = -10; dx <= 10; dx += 2.5)
        p.drawLine(QLineF(centreX + dx * 0.5, 136, centreX + dx, 192));
    p.restore();

    QPainterPath cap = shape.intersected(QPainterPath([&] {
        QPainterPath r;
        r.addRect(centreX - 14, 96, 28, 23);
        return r;
    }()));
    fillGold(p, cap);
    QPainterPath band;
    band.addRoundedRect(QRectF(centreX - 7, 136, 14, 5), 2, 2);
    fillGold(p, band);
    QRadialGradient jade(QPointF(centreX - 3, 124), 11);
    jade.setColorAt(0.0, QColor(190, 240, 210));
    jade.setColorAt(0.5, QColor(44, 150, 110));
    jade.setColorAt(1.0, QColor(10, 60, 44));
    QPainterPath bead;
    bead.addEllipse(QPointF(centreX, 127), 8.5, 8.5);
    p.fillPath(bead, jade);
}

namespace {

// A round boss: a gold rim around a face whose colours run from `stops`, lit from its upper
// left, with a bevel of `bevelAlpha`.
void rimmedBoss(QPainter& p, QPointF centre, qreal radius, const QGradientStops& stops,
                int bevelAlpha) {
    QPainterPath outer;
    outer.addEllipse(centre, radius, radius);
    fillGold(p, outer);
    QPainterPath face;
    face.addEllipse(centre, radius - 4, radius - 4);
    QRadialGradient light(centre - QPointF(radius * 0.3, radius * 0.35), radius * 1.2);
    light.setStops(stops);
    p.fillPath(face, light);
    bevel(p, face, -1.6, bevelAlpha);
}

} // namespace

void jadeBoss(QPainter& p, QPointF centre, qreal radius) {
    rimmedBoss(
        p, centre, radius,
        {{0.0, QColor(170, 228, 196)}, {0.5, QColor(46, 140, 104)}, {1.0, QColor(12, 58, 42)}},
        170);
    QPainterPath flower;
    for (int i = 0; i < 4; ++i) {
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(90 * i);
        QPainterPath petal;
        petal.moveTo(0, 0);
        petal.cubicTo(-4.5, -3, -3.5, -9, 0, -10.5);
        petal.cubicTo(3.5, -9, 4.5, -3, 0, 0);
        flower = flower.united(t.map(petal));
    }
    fillGold(p, flower);
    rivet(p, centre, 2.4);
}

void closeMedallion(QPainter& p, QPointF centre, qreal radius) {
    rimmedBoss(p, centre, radius,
               {{0.0, QColor(176, 52, 32)}, {0.6, QColor(110, 22, 12)}, {1.0, QColor(52, 8, 4)}},
               190);

    // the X, cut into the face: a dark groove with light catching its lower edge
    const qreal arm = radius * 0.42;
    QPainterPath cross;
    cross.moveTo(centre + QPointF(-arm, -arm));
    cross.lineTo(centre + QPointF(arm, arm));
    cross.moveTo(centre + QPointF(arm, -arm));
    cross.lineTo(centre + QPointF(-arm, arm));
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 226, 150), 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross.translated(0.9, 1.0));
    p.setPen(QPen(QColor(10, 4, 2), 4.2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);
    p.restore();
}

} // namespace artwork
