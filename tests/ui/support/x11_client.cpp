#include "x11_client.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace tarvenne::ui::test {
namespace {

template <typename Reply> using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply> ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

} // namespace

X11Client::X11Client() : connection_(xcb_connect(nullptr, nullptr)) {
    if (xcb_connection_has_error(connection_))
        throw std::runtime_error("cannot connect to the X display");
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
}

X11Client::~X11Client() {
    xcb_disconnect(connection_);
}

std::uint32_t X11Client::atom(const char* name) const {
    auto reply = owned(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, std::strlen(name), name), nullptr));
    return reply ? reply->atom : std::uint32_t{XCB_ATOM_NONE};
}

std::optional<std::uint32_t> X11Client::viewableWindow(qint64 pid, const QString& title) const {
    const std::uint32_t pidAtom = atom("_NET_WM_PID");
    const std::uint32_t nameAtom = atom("_NET_WM_NAME");
    const std::uint32_t utf8Atom = atom("UTF8_STRING");
    auto tree =
        owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree)
        return std::nullopt;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        const xcb_window_t window = children[i];
        auto attributes = owned(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
            continue;
        auto owner = owned(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, pidAtom, XCB_ATOM_CARDINAL, 0, 1),
            nullptr));
        if (!owner || xcb_get_property_value_length(owner.get()) != 4 ||
            *static_cast<std::uint32_t*>(xcb_get_property_value(owner.get())) != pid)
            continue;
        auto name = owned(xcb_get_property_reply(
            connection_, xcb_get_property(connection_, 0, window, nameAtom, utf8Atom, 0, 1024),
            nullptr));
        if (name && QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(name.get())),
                                      xcb_get_property_value_length(name.get())) == title)
            return window;
    }
    return std::nullopt;
}

bool X11Client::isViewable(std::uint32_t window) const {
    auto attributes = owned(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

QRect X11Client::geometry(std::uint32_t window) const {
    auto size =
        owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    auto origin = owned(xcb_translate_coordinates_reply(
        connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
    if (!size || !origin)
        return {};
    return QRect(origin->dst_x, origin->dst_y, size->width, size->height);
}

void X11Client::requestClose(std::uint32_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("WM_PROTOCOLS");
    message.data.data32[0] = atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

void X11Client::movePointer(QPoint screenPosition) {
    xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_,
                        screenPosition.x(), screenPosition.y(), 0);
    xcb_flush(connection_);
}

void X11Client::clickLeftButton() {
    xcb_test_fake_input(connection_, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection_, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
}

} // namespace tarvenne::ui::test
