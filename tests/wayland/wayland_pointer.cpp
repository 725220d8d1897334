#include "wayland_pointer.h"

#include "virtual-pointer-unstable-v1-client-protocol.h"

#include <cstring>
#include <linux/input-event-codes.h>
#include <stdexcept>
#include <wayland-client.h>

namespace tarvenne::ui::test {

WaylandPointer::WaylandPointer(QSize desktop) : desktop_(desktop) {
    display_ = wl_display_connect(nullptr);
    if (!display_)
        throw std::runtime_error("cannot connect to the Wayland display");
    wl_registry* const registry = wl_display_get_registry(display_);
    static const wl_registry_listener listener{&WaylandPointer::announced,
                                               [](void*, wl_registry*, std::uint32_t) {}};
    wl_registry_add_listener(registry, &listener, this);
    wl_display_roundtrip(display_);
    wl_registry_destroy(registry);
    if (!seat_ || !manager_)
        throw std::runtime_error("the compositor offers no virtual pointer");
    pointer_ = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager_, seat_);
    wl_display_roundtrip(display_);
}

WaylandPointer::~WaylandPointer() {
    zwlr_virtual_pointer_v1_destroy(pointer_);
    zwlr_virtual_pointer_manager_v1_destroy(manager_);
    wl_seat_destroy(seat_);
    wl_display_disconnect(display_);
}

void WaylandPointer::announced(void* self, wl_registry* registry, std::uint32_t name,
                               const char* interface, std::uint32_t) {
    auto* const pointer = static_cast<WaylandPointer*>(self);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !pointer->seat_)
        pointer->seat_ =
            static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    if (std::strcmp(interface, zwlr_virtual_pointer_manager_v1_interface.name) == 0)
        pointer->manager_ = static_cast<zwlr_virtual_pointer_manager_v1*>(
            wl_registry_bind(registry, name, &zwlr_virtual_pointer_manager_v1_interface, 1));
}

void WaylandPointer::moveTo(QPoint desktopPosition) {
    zwlr_virtual_pointer_v1_motion_absolute(pointer_, ++time_, desktopPosition.x(),
                                            desktopPosition.y(), desktop_.width(),
                                            desktop_.height());
    send();
}

void WaylandPointer::clickLeftButton() {
    zwlr_virtual_pointer_v1_button(pointer_, ++time_, BTN_LEFT, WL_POINTER_BUTTON_STATE_PRESSED);
    send();
    zwlr_virtual_pointer_v1_button(pointer_, ++time_, BTN_LEFT, WL_POINTER_BUTTON_STATE_RELEASED);
    send();
}

void WaylandPointer::send() {
    zwlr_virtual_pointer_v1_frame(pointer_);
    wl_display_roundtrip(display_);
}

} // namespace tarvenne::ui::test
