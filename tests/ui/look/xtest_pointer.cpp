#include "xtest_pointer.h"

#include <cstdlib>
#include <stdexcept>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace tarvenne::ui::test {

XTestPointer::XTestPointer() : connection_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot connect to the X display");
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

XTestPointer::~XTestPointer() {
    xcb_disconnect(connection_);
}

void XTestPointer::moveTo(QPoint screenPosition) {
    fake(XCB_MOTION_NOTIFY, 0, screenPosition);
}

void XTestPointer::press(int button) {
    fake(XCB_BUTTON_PRESS, static_cast<std::uint8_t>(button));
}

void XTestPointer::release(int button) {
    fake(XCB_BUTTON_RELEASE, static_cast<std::uint8_t>(button));
}

void XTestPointer::fake(std::uint8_t type, std::uint8_t detail, QPoint position) {
    xcb_test_fake_input(
        connection_, type, detail, XCB_CURRENT_TIME, type == XCB_MOTION_NOTIFY ? root_ : XCB_NONE,
        static_cast<std::int16_t>(position.x()), static_cast<std::int16_t>(position.y()), 0);
    // a round trip: the server has handled the request when the reply arrives
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

} // namespace tarvenne::ui::test
