#include "login_look/x11_atom.h"

#if QT_CONFIG(xcb)
#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace tarvenne::ui {

xcb_connection_t* nativeConnection(const QWidget& window) {
    auto* const x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && window.internalWinId() ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    const std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

} // namespace tarvenne::ui
#endif
