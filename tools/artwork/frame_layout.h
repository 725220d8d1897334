#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

// Where the login window puts its controls, and so what the artwork must leave free or cover.
namespace artwork {

inline constexpr QSize canvasSize{1108, 529};
// Fully transparent: the browser panel covers it.
inline constexpr QRect opening{362, 103, 636, 404};
// Fully opaque: any title centred on x 651 up to 838 pixels wide lies over it.
inline constexpr QRect titleBand{232, 46, 863, 55};
inline constexpr qreal titleAnchorX = 651.0;
// The close hotspot is seven spaces of the window font wide at 1007, 33; the close mark
// sits in a medallion large enough for spaces of up to four pixels.
inline constexpr QPointF closeMarkCentre{1018.5, 39.5};
inline constexpr qreal closeMedallionRadius = 19.0;
// The parchment plaque that carries the title, centred on the title's anchor. Its upper
// corners carry round bosses: the close mark on the right, a jade boss on the left.
inline constexpr QRectF plaque{284, 44, 734, 54};
inline constexpr QPointF plaqueBossCentre{2 * titleAnchorX - closeMarkCentre.x(),
                                          closeMarkCentre.y()};
// The top seven rows stay empty; the highest ornament reaches row 7.
inline constexpr int firstRow = 7;

} // namespace artwork
