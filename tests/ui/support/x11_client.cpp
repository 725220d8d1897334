#include "x11_client.h"

#include <QList>
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
    if (xcb_connection_has_error(connection_)) {
        xcb_disconnect(connection_);
        throw std::runtime_error("cannot connect to the X display");
    }
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

QList<std::uint32_t> X11Client::cardinals(std::uint32_t window, const char* property,
                                          std::uint32_t type) const {
    auto reply = owned(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, atom(property), type, 0, 4096),
        nullptr));
    QList<std::uint32_t> values;
    if (!reply || reply->format != 32)
        return values;
    const auto* data = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    for (int i = 0; i < xcb_get_property_value_length(reply.get()) / 4; ++i)
        values.append(data[i]);
    return values;
}

QStringList X11Client::atomNames(std::uint32_t window, const char* property,
                                 const QString& prefix) const {
    QStringList names;
    for (const std::uint32_t value : cardinals(window, property, XCB_ATOM_ATOM)) {
        auto name = owned(
            xcb_get_atom_name_reply(connection_, xcb_get_atom_name(connection_, value), nullptr));
        if (!name)
            continue;
        QString text = QString::fromLatin1(xcb_get_atom_name_name(name.get()),
                                           xcb_get_atom_name_name_length(name.get()));
        if (text.startsWith(prefix))
            text.remove(0, prefix.size());
        names.append(text);
    }
    return names;
}

QList<std::uint32_t> X11Client::viewableWindows(qint64 pid) const {
    // The windows that the window manager manages; on a display without one, the top-level
    // windows themselves.
    QList<std::uint32_t> windows = cardinals(root_, "_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    if (windows.isEmpty()) {
        auto tree =
            owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
        if (!tree)
            return {};
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i)
            windows.append(children[i]);
    }
    QList<std::uint32_t> found;
    for (const std::uint32_t window : windows) {
        const QList<std::uint32_t> owner = cardinals(window, "_NET_WM_PID", XCB_ATOM_CARDINAL);
        if (isViewable(window) && owner.size() == 1 && owner.first() == pid)
            found.append(window);
    }
    return found;
}

std::optional<std::uint32_t> X11Client::viewableWindow(qint64 pid, const QString& wanted) const {
    for (const std::uint32_t window : viewableWindows(pid)) {
        auto name = owned(
            xcb_get_property_reply(connection_,
                                   xcb_get_property(connection_, 0, window, atom("_NET_WM_NAME"),
                                                    atom("UTF8_STRING"), 0, 1024),
                                   nullptr));
        if (name && name->type != XCB_ATOM_NONE && title(window) == wanted)
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

QRect X11Client::frameGeometry(std::uint32_t window) const {
    const QRect client = geometry(window);
    const QList<std::uint32_t> extents = cardinals(window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL);
    if (extents.size() != 4)
        return client;
    // left, right, top, bottom
    return client.adjusted(-int(extents[0]), -int(extents[2]), int(extents[1]), int(extents[3]));
}

QRect X11Client::workArea() const {
    const QList<std::uint32_t> area = cardinals(root_, "_NET_WORKAREA", XCB_ATOM_CARDINAL);
    if (area.size() < 4) {
        const xcb_screen_t* const screen =
            xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        return QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    }
    return QRect(int(area[0]), int(area[1]), int(area[2]), int(area[3]));
}

QImage X11Client::screenshot() const {
    return windowImage(root_);
}

QImage X11Client::windowImage(std::uint32_t window) const {
    auto size =
        owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
    if (!size)
        return {};
    auto image =
        owned(xcb_get_image_reply(connection_,
                                  xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0,
                                                0, size->width, size->height, ~0u),
                                  nullptr));
    // A window of depth 24 holds a pixel in 32 bits, as 0xffRRGGBB reads them.
    if (!image || image->depth != 24)
        return {};
    return QImage(xcb_get_image_data(image.get()), size->width, size->height, QImage::Format_RGB32)
        .copy();
}

QString X11Client::title(std::uint32_t window) const {
    auto name =
        owned(xcb_get_property_reply(connection_,
                                     xcb_get_property(connection_, 0, window, atom("_NET_WM_NAME"),
                                                      atom("UTF8_STRING"), 0, 1024),
                                     nullptr));
    if (!name)
        return {};
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(name.get())),
                             xcb_get_property_value_length(name.get()));
}

QStringList X11Client::state(std::uint32_t window) const {
    return atomNames(window, "_NET_WM_STATE", QStringLiteral("_NET_WM_STATE_"));
}

QStringList X11Client::allowedActions(std::uint32_t window) const {
    return atomNames(window, "_NET_WM_ALLOWED_ACTIONS", QStringLiteral("_NET_WM_ACTION_"));
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

void X11Client::sendToWindowManager(std::uint32_t window, std::uint32_t type,
                                    std::initializer_list<std::uint32_t> data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = type;
    int i = 0;
    for (const std::uint32_t value : data)
        message.data.data32[i++] = value;
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
}

void X11Client::requestMinimise(std::uint32_t window) {
    constexpr std::uint32_t iconicState = 3;
    sendToWindowManager(window, atom("WM_CHANGE_STATE"), {iconicState});
}

void X11Client::requestState(std::uint32_t window, const QString& state) {
    constexpr std::uint32_t add = 1;
    constexpr std::uint32_t fromApplication = 1;
    const QByteArray name = "_NET_WM_STATE_" + state.toLatin1();
    sendToWindowManager(window, atom("_NET_WM_STATE"),
                        {add, atom(name.constData()), 0, fromApplication});
}

void X11Client::roundTrip() {
    // The server has handled every request before this one when the reply arrives.
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
}

bool X11Client::isPointerGrabbed() {
    // Only a grab of another client keeps this one from taking the pointer, which it then
    // gives back at once.
    auto reply = owned(xcb_grab_pointer_reply(
        connection_,
        xcb_grab_pointer(connection_, 0, root_, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC,
                         XCB_NONE, XCB_NONE, XCB_CURRENT_TIME),
        nullptr));
    if (!reply || reply->status != XCB_GRAB_STATUS_SUCCESS)
        return true;
    xcb_ungrab_pointer(connection_, XCB_CURRENT_TIME);
    roundTrip();
    return false;
}

QPoint X11Client::pointerPosition() const {
    auto pointer =
        owned(xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr));
    return pointer ? QPoint(pointer->root_x, pointer->root_y) : QPoint();
}

bool X11Client::leftButtonHeld() const {
    auto pointer =
        owned(xcb_query_pointer_reply(connection_, xcb_query_pointer(connection_, root_), nullptr));
    return pointer && (pointer->mask & XCB_BUTTON_MASK_1);
}

void X11Client::movePointer(QPoint screenPosition) {
    xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_,
                        static_cast<std::int16_t>(screenPosition.x()),
                        static_cast<std::int16_t>(screenPosition.y()), 0);
    roundTrip();
}

void X11Client::pressButton(int button) {
    xcb_test_fake_input(connection_, XCB_BUTTON_PRESS, static_cast<std::uint8_t>(button),
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    roundTrip();
}

void X11Client::releaseButton(int button) {
    xcb_test_fake_input(connection_, XCB_BUTTON_RELEASE, static_cast<std::uint8_t>(button),
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    roundTrip();
}

void X11Client::tapKey(std::uint32_t keysym) {
    const xcb_setup_t* const setup = xcb_get_setup(connection_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* const mapping = xcb_get_keyboard_mapping_reply(
        connection_,
        xcb_get_keyboard_mapping(connection_, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr);
    if (!mapping)
        return;
    const xcb_keysym_t* const keysyms = xcb_get_keyboard_mapping_keysyms(mapping);
    const int perKeycode = mapping->keysyms_per_keycode;
    std::uint8_t keycode = 0;
    for (int index = 0; index < count * perKeycode && keycode == 0; ++index) {
        if (keysyms[index] == keysym)
            keycode = static_cast<std::uint8_t>(setup->min_keycode + index / perKeycode);
    }
    std::free(mapping);
    if (keycode == 0)
        return;
    xcb_test_fake_input(connection_, XCB_KEY_PRESS, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection_, XCB_KEY_RELEASE, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    roundTrip();
}

void X11Client::clickLeftButton() {
    pressButton(1);
    releaseButton(1);
}

} // namespace tarvenne::ui::test
