#pragma once

#include <optional>

namespace tarvenne::ui {

// Whether the Wayland compositor that the environment names (WAYLAND_DISPLAY, or the default
// socket in the runtime folder) draws frames around its clients' windows, when asked to with
// the decoration protocol (xdg-decoration). Where it does not, a client draws its own title
// bar and border. Nothing where no compositor answers. Asks with a connection of its own, which
// it closes again before returning.
std::optional<bool> waylandCompositorDrawsFrames();

} // namespace tarvenne::ui
