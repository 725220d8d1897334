#include "platform/wayland_compositor.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>
#include <wayland-client.h>

namespace tarvenne::ui {
namespace {

// The global through which a client asks the compositor to draw its window's frame.
constexpr char decorationManager[] = "zxdg_decoration_manager_v1";
// Outputs tell their scale from version 2 on.
constexpr std::uint32_t outputWithScale = 2;

struct Query {
    WaylandCompositorOffer offer;
    std::vector<wl_output*> outputs;
};

void noteScale(void* query, wl_output*, std::int32_t factor) {
    int& largest = static_cast<Query*>(query)->offer.largestScale;
    largest = std::max(largest, int(factor));
}

void ignoreGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                    std::int32_t, const char*, const char*, std::int32_t) {}
void ignoreMode(void*, wl_output*, std::uint32_t, std::int32_t, std::int32_t, std::int32_t) {}
void ignoreDone(void*, wl_output*) {}
void ignoreText(void*, wl_output*, const char*) {}

// Name and description come only from version 4 on.
constexpr wl_output_listener outputListener{ignoreGeometry, ignoreMode, ignoreDone,
                                            noteScale,      ignoreText, ignoreText};

void noteGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
                std::uint32_t version) {
    auto* const query = static_cast<Query*>(data);
    if (std::strcmp(interface, decorationManager) == 0) {
        query->offer.drawsFrames = true;
    } else if (std::strcmp(interface, wl_output_interface.name) == 0 &&
               version >= outputWithScale) {
        auto* const output = static_cast<wl_output*>(
            wl_registry_bind(registry, name, &wl_output_interface, outputWithScale));
        wl_output_add_listener(output, &outputListener, query);
        query->outputs.push_back(output);
    }
}

void forgetGlobal(void*, wl_registry*, std::uint32_t) {}

constexpr wl_registry_listener registryListener{noteGlobal, forgetGlobal};

} // namespace

std::optional<WaylandCompositorOffer> askWaylandCompositor() {
    wl_display* const display = wl_display_connect(nullptr);
    if (display == nullptr)
        return std::nullopt;
    Query query;
    wl_registry* const registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &query);
    // The compositor announces every global before it answers the first round trip, and every
    // output bound then tells its scale before it answers the second.
    const bool answered = wl_display_roundtrip(display) >= 0 && wl_display_roundtrip(display) >= 0;
    for (wl_output* const output : query.outputs)
        wl_output_destroy(output);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    if (!answered)
        return std::nullopt;
    return query.offer;
}

} // namespace tarvenne::ui
