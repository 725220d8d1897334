#pragma once

class QWidget;

namespace tarvenne::ui {

// Keeps a window that the player can only move and close in its normal state: where a window
// manager minimises, maximises or puts it in full screen all the same (openbox offers to
// minimise and to fill the screen with every ordinary window, whatever the window asks for),
// the window comes back as it was.
void keepInNormalState(QWidget& window);

} // namespace tarvenne::ui
