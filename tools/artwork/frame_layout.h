#pragma once

#include "look/login_layout.h"

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QSize>

// What the artwork must leave free or cover where the login window puts its controls.
namespace artwork {

namespace layout = tarvenne::ui::login_layout;

inline constexpr QSize canvasSize = layout::windowSize;
// Fully transparent: the browser's area and the bottom row of the panel's bevel.
inline constexpr QRect opening{layout::browserArea.topLeft(),
                               layout::browserPanel.bottomRight() - QPoint(1, 0)};
// Fully opaque: any title centred on the title's centre up to 838 pixels wide lies over it.
inline constexpr QRect titleBand{232, layout::titleTop, 863, layout::titleLineHeight};
inline constexpr qreal titleAnchorX = layout::titleCentreX;
// The close spot is seven spaces of the window font wide; the close mark sits in a medallion
// large enough for spaces of up to four pixels.
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
