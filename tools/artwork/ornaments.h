#pragma once

#include <QPainterPath>
#include <QPointF>

class QPainter;

// The metalwork laid on the frame.
namespace artwork {

// A domed gold rivet.
void rivet(QPainter& p, QPointF centre, qreal radius);
// A cloud scroll: an S-shaped gold wire ending in two curls, drawn in a box of the given size
// with its centre at `centre`; `mirrored` turns it left for right.
void cloudScroll(QPainter& p, QPointF centre, qreal size, bool mirrored);
// A band of the squared key-fret pattern along a horizontal strip.
void keyFret(QPainter& p, const QRectF& strip);
// The round emblem of the wing: bronze rim, jade disc, gold compass star, cinnabar pearl.
void emblemDisc(QPainter& p, QPointF centre, qreal radius);
// The flaming pearl on the lotus above the plaque.
void crest(QPainter& p, const QPainterPath& shape);
// The tassel: gold cap, jade bead and red silk strands, filling the given outline.
void tassel(QPainter& p, const QPainterPath& shape, qreal centreX);
// A round jade boss in a gold rim, with a gold four-petalled flower.
void jadeBoss(QPainter& p, QPointF centre, qreal radius);
// The close mark: an X engraved in a round bronze medallion.
void closeMedallion(QPainter& p, QPointF centre, qreal radius);

} // namespace artwork
