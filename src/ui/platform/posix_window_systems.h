#pragma once

#include "platform/window_system.h"

namespace tarvenne::ui {

// The window systems of the desktops beside Windows, between which the toolkit's platform plugin
// chooses at start.
const WindowSystem& x11WindowSystem();
const WindowSystem& waylandWindowSystem();

} // namespace tarvenne::ui
