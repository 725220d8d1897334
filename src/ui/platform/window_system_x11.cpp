#include "platform/posix_window_systems.h"

#include <QGuiApplication>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace tarvenne::ui {
namespace {

// The Motif window manager hints (_MOTIF_WM_HINTS), from which X window managers take the
// functions that they offer on a window and the decorations that they draw around it.
constexpr std::uint32_t mwmHintsFunctions = 1U << 0;
constexpr std::uint32_t mwmHintsDecorations = 1U << 1;
constexpr std::uint32_t mwmFunctionMove = 1U << 2;
constexpr std::uint32_t mwmFunctionClose = 1U << 5;

template <typename Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

// The connection to the X server; nullptr when the application is not an X client.
xcb_connection_t* applicationConnection() {
    const auto* const x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

// The X connection through which to change `window`'s native window; nullptr when the
// application is not an X client or the window has no native window yet.
xcb_connection_t* nativeConnection(const QWidget& window) {
    return window.internalWinId() ? applicationConnection() : nullptr;
}

xcb_window_t nativeWindow(const QWidget& window) {
    return static_cast<xcb_window_t>(window.internalWinId());
}

// The X server's atom for `name` (made if need be), or XCB_ATOM_NONE when the server gives none.
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name) {
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    const ReplyPointer<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, length, name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Whether a compositing manager owns the selection that announces it for the X screen.
bool compositingManagerRuns(xcb_connection_t* connection) {
    const xcb_atom_t selection = internAtom(connection, "_NET_WM_CM_S0");
    if (selection == XCB_ATOM_NONE)
        return false;
    const ReplyPointer<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}

// The X Window System, spoken to through the toolkit's own connection. An application that is no
// X client (on a platform plugin without a display) gets no answer from it: nothing composes,
// and no hint or title is written.
class X11WindowSystem final : public WindowSystem {
public:
    bool composesWindows() const override {
        xcb_connection_t* const connection = applicationConnection();
        return connection && compositingManagerRuns(connection);
    }

    // X has no colour key: a window is shaped by its mask.
    bool hasColourKey() const override { return false; }
    void setColourKey(QWidget&, QRgb) const override {}

    // The toolkit offers every function on a frameless window, so the hints are written to the
    // native window directly.
    void offerOnlyMoveAndClose(QWidget& window) const override {
        xcb_connection_t* const connection = nativeConnection(window);
        if (!connection)
            return;
        const xcb_atom_t hintsAtom = internAtom(connection, "_MOTIF_WM_HINTS");
        if (hintsAtom == XCB_ATOM_NONE)
            return;
        const std::uint32_t hints[5] = {mwmHintsFunctions | mwmHintsDecorations,
                                        mwmFunctionMove | mwmFunctionClose, 0, 0, 0};
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, nativeWindow(window), hintsAtom,
                            hintsAtom, 32, 5, hints);
        xcb_flush(connection);
    }

    // The window manager reads _NET_WM_NAME, older ones WM_NAME.
    void writeEmptyTitle(QWidget& window) const override {
        xcb_connection_t* const connection = nativeConnection(window);
        if (!connection)
            return;
        const xcb_window_t native = nativeWindow(window);
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, native,
                            internAtom(connection, "_NET_WM_NAME"),
                            internAtom(connection, "UTF8_STRING"), 8, 0, "");
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, native, XCB_ATOM_WM_NAME,
                            XCB_ATOM_STRING, 8, 0, "");
        xcb_flush(connection);
    }
};

} // namespace

const WindowSystem& x11WindowSystem() {
    static const X11WindowSystem system;
    return system;
}

} // namespace tarvenne::ui
