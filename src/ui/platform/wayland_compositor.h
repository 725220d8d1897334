#pragma once

#include <optional>

namespace tarvenne::ui {

// What the Wayland compositor that the environment names (WAYLAND_DISPLAY, or the default socket
// in the runtime folder) offers its clients' windows.
struct WaylandCompositorOffer {
    // Whether it draws frames around windows when asked to with the decoration protocol
    // (xdg-decoration). Where it does not, a client draws its own title bar and border.
    bool drawsFrames = false;
    // The largest scale of its outputs: above 1, a client draws its windows with more pixels than
    // the desktop's units, and the compositor enlarges those of clients that do not (its X
    // server's).
    int largestScale = 1;
};

// Asks the compositor with a connection of its own, which it closes again before returning.
// Nothing where no compositor answers.
std::optional<WaylandCompositorOffer> askWaylandCompositor();

} // namespace tarvenne::ui
