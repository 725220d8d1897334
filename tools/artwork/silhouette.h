#pragma once

#include <QPainterPath>
#include <QRectF>
#include <vector>

// The outline of the frame, part by part; all in canvas pixels.
namespace artwork {

QPainterPath beamShape();  // the top band with the title plaque and upturned eaves
QPainterPath crestShape(); // the flaming pearl above the plaque's centre
QPainterPath closeMedallionShape();
QPainterPath plaqueBossShape(); // the jade boss on the plaque's upper left corner
QPainterPath tasselShape();     // the cord, bead and tassel hanging from the right end
inline constexpr qreal tasselX = 1078;
QPainterPath wingShape();          // the carved wing left of the opening
QPainterPath wingOpenwork();       // the cut-outs of the wing, subtracted from it
QPainterPath pillarShape();        // the narrow strip right of the opening
std::vector<QRectF> pillarBands(); // the gold bands around the strip
QPainterPath baseShape();          // the band along the bottom edge

// Everything that is painted: the union of the parts, less the openwork and the opening.
QPainterPath frameSilhouette();

} // namespace artwork
