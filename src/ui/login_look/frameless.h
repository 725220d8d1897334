#pragma once

class QWidget;

namespace tarvenne::ui {

// Takes the frame, title bar and system menu off a top-level window, which keeps its place and
// size and can no longer be resized, minimised, maximised or put in full screen by the user:
// the window manager is told to offer only moving and closing it. Where the native window exists
// it is changed in place, not recreated.
void removeFrameInPlace(QWidget& window);

} // namespace tarvenne::ui
