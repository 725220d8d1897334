#include "fake_input_pointer.h"

#include "fake-input-client-protocol.h"

#include <cstring>
#include <linux/input-event-codes.h>
#include <stdexcept>
#include <wayland-client.h>

namespace tarvenne::ui::test {
namespace {

// Absolute moves came with version 3.
constexpr std::uint32_t absoluteMotionVersion = 3;

} // namespace

FakeInputPointer::FakeInputPointer() {
    display_ = wl_display_connect(nullptr);
    if (!display_)
        throw std::runtime_error("cannot connect to the Wayland display");
    wl_registry* const registry = wl_display_get_registry(display_);
    static const wl_registry_listener listener{&FakeInputPointer::announced,
                                               [](void*, wl_registry*, std::uint32_t) {}};
    wl_registry_add_listener(registry, &listener, this);
    wl_display_roundtrip(display_);
    wl_registry_destroy(registry);
    if (!fakeInput_) {
        wl_display_disconnect(display_);
        throw std::runtime_error("the compositor offers no fake input of version 3 or later");
    }
    // KWin takes no input from a fake device until it has said who it is.
    org_kde_kwin_fake_input_authenticate(fakeInput_, "Tarvenne tests", "plays the player");
    wl_display_roundtrip(display_);
}

FakeInputPointer::~FakeInputPointer() {
    org_kde_kwin_fake_input_destroy(fakeInput_);
    wl_display_disconnect(display_);
}

void FakeInputPointer::announced(void* self, wl_registry* registry, std::uint32_t name,
                                 const char* interface, std::uint32_t version) {
    auto* const pointer = static_cast<FakeInputPointer*>(self);
    if (std::strcmp(interface, org_kde_kwin_fake_input_interface.name) == 0 &&
        version >= absoluteMotionVersion)
        pointer->fakeInput_ = static_cast<org_kde_kwin_fake_input*>(wl_registry_bind(
            registry, name, &org_kde_kwin_fake_input_interface, absoluteMotionVersion));
}

void FakeInputPointer::moveTo(QPoint desktopPosition) {
    org_kde_kwin_fake_input_pointer_motion_absolute(
        fakeInput_, wl_fixed_from_int(desktopPosition.x()), wl_fixed_from_int(desktopPosition.y()));
    wl_display_roundtrip(display_);
}

void FakeInputPointer::pressLeftButton() {
    pressOrRelease(WL_POINTER_BUTTON_STATE_PRESSED);
}

void FakeInputPointer::releaseLeftButton() {
    pressOrRelease(WL_POINTER_BUTTON_STATE_RELEASED);
}

void FakeInputPointer::clickLeftButton() {
    pressLeftButton();
    releaseLeftButton();
}

void FakeInputPointer::pressOrRelease(std::uint32_t state) {
    org_kde_kwin_fake_input_button(fakeInput_, BTN_LEFT, state);
    wl_display_roundtrip(display_);
}

} // namespace tarvenne::ui::test
