#pragma once

class QWidget;

namespace tarvenne::ui {

// Takes the frame, title bar and system menu off a top-level window, which keeps its place and
// size and can no longer be resized, minimised or maximised by the user. Where the native
// window exists it is changed in place, not recreated.
void removeFrameInPlace(QWidget& window);

} // namespace tarvenne::ui
