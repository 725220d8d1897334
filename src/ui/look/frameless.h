#pragma once

class QWidget;

namespace tarvenne::ui {

// Takes the frame, title bar and system menu off a top-level window, which keeps its place and
// size and can no longer be resized, minimised, maximised or put in full screen by the user:
// the window manager is told to offer only moving and closing it. Where the native window exists
// it is changed in place, not recreated. The toolkit makes each new native window with hints of
// its own, so a frameless window asks the window system to offer only moving and closing again
// whenever it gets a native window.
void removeFrameInPlace(QWidget& window);

// The login window's shaping: removes the frame in place, then turns the colour key on
// (see applyColourKey), in the one order that keeps both on every platform.
void shapeWithColourKey(QWidget& window);

} // namespace tarvenne::ui
