#pragma once

#include <QList>
#include <QPixmap>
#include <QRegion>

class QWidget;

namespace tarvenne::ui {

// Makes the key colour (login_layout::keyColour) the window's background colour and turns the
// colour key on: the window system's own where it has one (Windows). Where the display composes
// windows with their transparency (Wayland; X11 with a compositing manager) the
// window gets a see-through ground instead of the key colour, and what it draws over the ground
// must be drawn as keyedOver gives it; this must happen before the native window is made. Elsewhere
// the ground is the key colour and cutOutKeyColour gives the window its outline.
void applyColourKey(QWidget& window);

// `picture` as it shows over the key colour, with every pixel that stays exactly the key
// colour made fully transparent: partly transparent pixels become opaque, tinted towards the
// key colour, as a colour key shows them.
QPixmap keyedOver(const QPixmap& picture);

// The part of the window whose composed pixels are not the key colour: the window's
// background, then each visible control in stacking order, drawn as the screen shows it. The
// controls in `opaque` (and everything inside them) are not drawn and count as opaque wherever
// they lie: a browser, whose own pixels are not composed here.
QRegion keyedRegion(QWidget& window, const QList<const QWidget*>& opaque);

// Where the window system has no colour key of its own: masks the window to keyedRegion, which
// cuts its mouse input everywhere and its drawing where the display does not compose windows
// (on Wayland a mask is the input region only). Nothing to do where the key is native.
void cutOutKeyColour(QWidget& window, const QList<const QWidget*>& opaque);

} // namespace tarvenne::ui
