#pragma once

#include <QList>
#include <QRegion>
#include <QRgb>

class QWidget;

namespace tarvenne::ui {

// The colour that a shaped window does not show: RGB (0, 128, 0).
inline constexpr QRgb KeyColour = qRgb(0, 128, 0);

// Fills the window's background with the key colour and turns the colour key on. On Windows
// the window becomes a layered window keyed on that colour; elsewhere cutOutKeyColour gives
// the window its outline.
void applyColourKey(QWidget& window);

// The part of the window whose composed pixels are not the key colour: the window's
// background, then each visible control in stacking order, drawn as the screen shows it. The
// controls in `opaque` (and everything inside them) are not drawn and count as opaque wherever
// they lie: a browser, whose own pixels are not composed here.
QRegion keyedRegion(QWidget& window, const QList<const QWidget*>& opaque);

// Where the platform has no colour key for windows: masks the window to keyedRegion, which
// cuts both its drawing and its mouse input. Nothing to do where the key is native.
void cutOutKeyColour(QWidget& window, const QList<const QWidget*>& opaque);

} // namespace tarvenne::ui
