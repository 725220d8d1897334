#include "silhouette.h"

#include "frame_layout.h"

namespace artwork {

namespace {

// Overlapping puffs, each given as centre x, centre y, radius x, radius y.
QPainterPath cloudCutOut(std::initializer_list<QRectF> puffs) {
    QPainterPath cloud;
    for (const QRectF& puff : puffs) {
        QPainterPath e;
        e.addEllipse(QPointF(puff.x(), puff.y()), puff.width(), puff.height());
        cloud = cloud.united(e);
    }
    return cloud;
}

} // namespace

QPainterPath beamShape() {
    QPainterPath p;
    p.moveTo(203, 14);
    p.cubicTo(214, 28, 232, 36, 262, 36);
    p.lineTo(1046, 36);
    p.cubicTo(1074, 36, 1094, 30, 1108, 16);
    p.lineTo(1108, 104);
    p.lineTo(236, 104);
    p.cubicTo(226, 96, 220, 78, 218, 60);
    p.cubicTo(216, 44, 210, 26, 203, 14);
    p.closeSubpath();
    return p;
}

QPainterPath crestShape() {
    QPainterPath p;
    const qreal cx = titleAnchorX;
    // the flame rising from the pearl
    p.moveTo(cx, firstRow);
    p.cubicTo(cx + 6, 14, cx + 18, 16, cx + 16, 28);
    p.lineTo(cx - 16, 28);
    p.cubicTo(cx - 18, 16, cx - 6, 14, cx, firstRow);
    p.closeSubpath();
    QPainterPath pearl;
    pearl.addEllipse(QPointF(cx, 25), 14, 14);
    p = p.united(pearl);
    // the lotus base the pearl rests on
    QPainterPath lotus;
    lotus.moveTo(cx - 62, 38);
    lotus.cubicTo(cx - 50, 36, cx - 40, 24, cx - 26, 26);
    lotus.cubicTo(cx - 16, 28, cx - 10, 34, cx, 34);
    lotus.cubicTo(cx + 10, 34, cx + 16, 28, cx + 26, 26);
    lotus.cubicTo(cx + 40, 24, cx + 50, 36, cx + 62, 38);
    lotus.closeSubpath();
    return p.united(lotus);
}

QPainterPath closeMedallionShape() {
    QPainterPath p;
    p.addEllipse(closeMarkCentre, closeMedallionRadius, closeMedallionRadius);
    return p;
}

QPainterPath plaqueBossShape() {
    QPainterPath p;
    p.addEllipse(plaqueBossCentre, closeMedallionRadius, closeMedallionRadius);
    return p;
}

QPainterPath tasselShape() {
    const qreal cx = tasselX;
    QPainterPath cap;
    cap.moveTo(cx - 12, 100);
    cap.lineTo(cx + 12, 100);
    cap.lineTo(cx + 6, 119);
    cap.lineTo(cx - 6, 119);
    cap.closeSubpath();
    QPainterPath bead;
    bead.addEllipse(QPointF(cx, 127), 8.5, 8.5);
    QPainterPath strands;
    strands.moveTo(cx - 6, 134);
    strands.lineTo(cx + 6, 134);
    strands.cubicTo(cx + 8, 160, cx + 12, 176, cx + 11, 188);
    strands.quadTo(cx, 194, cx - 11, 188);
    strands.cubicTo(cx - 12, 176, cx - 8, 160, cx - 6, 134);
    strands.closeSubpath();
    return cap.united(bead).united(strands);
}

QPainterPath wingShape() {
    QPainterPath p;
    p.moveTo(364, 96);
    p.lineTo(240, 96);
    p.cubicTo(200, 98, 150, 110, 118, 136);
    // three carved lobes down the outer edge, the middle one the widest
    p.cubicTo(92, 156, 80, 190, 102, 206);
    p.cubicTo(70, 208, 44, 240, 42, 290);
    p.cubicTo(40, 336, 56, 364, 80, 374);
    p.cubicTo(58, 390, 56, 420, 80, 436);
    // a curl, then the sweep that reaches the left edge
    p.cubicTo(98, 446, 98, 468, 80, 472);
    p.cubicTo(62, 476, 52, 460, 64, 452);
    p.cubicTo(30, 442, 4, 458, 0, 486);
    p.lineTo(0, 529);
    p.lineTo(364, 529);
    p.closeSubpath();
    return p;
}

QPainterPath wingOpenwork() {
    QPainterPath p;
    // a ring of air around the disc, broken by four bridges
    const QPointF c(192, 300);
    QPainterPath ring;
    ring.addEllipse(c, 104, 104);
    QPainterPath inner;
    inner.addEllipse(c, 96, 96);
    ring = ring.subtracted(inner);
    QPainterPath bridges;
    for (int i = 0; i < 4; ++i) {
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(45 + 90 * i);
        QPainterPath bar;
        bar.addRect(-7, -110, 14, 20);
        bridges.addPath(t.map(bar));
    }
    p.addPath(ring.subtracted(bridges));
    // two cloud-shaped cut-outs below the disc
    p.addPath(cloudCutOut({{150, 452, 16, 11}, {174, 446, 13, 10}, {194, 456, 12, 9}}));
    p.addPath(cloudCutOut({{252, 456, 12, 9}, {274, 448, 14, 10}, {296, 458, 11, 8}}));
    return p;
}

QPainterPath pillarShape() {
    QPainterPath p;
    p.addRect(990, 96, 54, 418);
    for (const QRectF& band : pillarBands()) {
        QPainterPath b;
        b.addRoundedRect(band, 5, 5);
        p = p.united(b);
    }
    return p;
}

std::vector<QRectF> pillarBands() {
    std::vector<QRectF> bands;
    for (int i = 0; i < 4; ++i)
        bands.emplace_back(986, 163 + i * 96, 62, 14);
    return bands;
}

QPainterPath baseShape() {
    QPainterPath p;
    p.moveTo(300, 505);
    p.lineTo(1060, 505);
    p.cubicTo(1082, 505, 1096, 514, 1100, 529);
    p.lineTo(300, 529);
    p.closeSubpath();
    return p;
}

QPainterPath frameSilhouette() {
    QPainterPath all = beamShape();
    for (const QPainterPath& part : {crestShape(), closeMedallionShape(), plaqueBossShape(),
                                     tasselShape(), wingShape(), pillarShape(), baseShape()})
        all = all.united(part);
    all = all.subtracted(wingOpenwork());
    QPainterPath open;
    open.addRect(opening);
    return all.subtracted(open);
}

} // namespace artwork
