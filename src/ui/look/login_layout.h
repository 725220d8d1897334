#pragma once

#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>

// The login window's geometry, drawn to fit its artwork, and the colour that its shaping keys
// out. The window, the artwork generator, the tests and the walkthrough take them from here.
namespace tarvenne::ui::login_layout {

inline constexpr QSize windowSize{1108, 529};

// The colour that the shaped window does not show.
inline constexpr QRgb keyColour = qRgb(0, 128, 0);

// The panel that holds the login browser: a one-pixel raised bevel around the browser's area.
inline constexpr QRect browserPanel{361, 102, 638, 405};
inline constexpr QRect browserArea = browserPanel.adjusted(1, 1, -1, -1);

// The invisible close spot's top-left corner; it is seven spaces of the window's font wide.
inline constexpr QPoint closeSpot{1007, 33};

// The title: its text centred on x titleCentreX, its line from y titleTop, titleLineHeight high.
inline constexpr int titleCentreX = 651;
inline constexpr int titleTop = 46;
inline constexpr int titleLineHeight = 55;

} // namespace tarvenne::ui::login_layout
