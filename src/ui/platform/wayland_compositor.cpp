#include "platform/wayland_compositor.h"

#include <cstdint>
#include <cstring>
#include <wayland-client.h>

namespace tarvenne::ui {
namespace {

// The global through which a client asks the compositor to draw its window's frame.
constexpr char decorationManager[] = "zxdg_decoration_manager_v1";

void noteGlobal(void* offersDecorations, wl_registry*, std::uint32_t, const char* interface,
                std::uint32_t) {
    if (std::strcmp(interface, decorationManager) == 0)
        *static_cast<bool*>(offersDecorations) = true;
}

void forgetGlobal(void*, wl_registry*, std::uint32_t) {}

constexpr wl_registry_listener registryListener{noteGlobal, forgetGlobal};

} // namespace

std::optional<bool> waylandCompositorDrawsFrames() {
    wl_display* const display = wl_display_connect(nullptr);
    if (display == nullptr)
        return std::nullopt;
    bool offersDecorations = false;
    wl_registry* const registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &offersDecorations);
    // The compositor announces every global before it answers the round trip.
    const bool answered = wl_display_roundtrip(display) >= 0;
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (!answered)
        return std::nullopt;
    return offersDecorations;
}

} // namespace tarvenne::ui
