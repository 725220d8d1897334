#include "login_look/frameless.h"

#include "login_look/colour_key.h"
#include "login_look/x11_atom.h"

#include <QWidget>
#include <QWindow>
#include <cstdint>

namespace tarvenne::ui {
namespace {

#if QT_CONFIG(xcb)
// The Motif window manager hints (_MOTIF_WM_HINTS), from which X window managers take the
// functions that they offer on a window and the decorations that they draw around it.
constexpr std::uint32_t MwmHintsFunctions = 1U << 0;
constexpr std::uint32_t MwmHintsDecorations = 1U << 1;
constexpr std::uint32_t MwmFunctionMove = 1U << 2;
constexpr std::uint32_t MwmFunctionClose = 1U << 5;
#endif

} // namespace

// Tells the window manager that the window can be moved and closed, nothing else: no resizing,
// minimising, maximising or full screen, and no decorations. The toolkit offers every function
// on a frameless window, so the hints are written to the native window directly.
void offerOnlyMoveAndClose(QWidget& window) {
#if QT_CONFIG(xcb)
    xcb_connection_t* const connection = nativeConnection(window);
    if (!connection)
        return;
    const xcb_atom_t hintsAtom = internAtom(connection, "_MOTIF_WM_HINTS");
    if (hintsAtom == XCB_ATOM_NONE)
        return;
    const std::uint32_t hints[5] = {MwmHintsFunctions | MwmHintsDecorations,
                                    MwmFunctionMove | MwmFunctionClose, 0, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(window.internalWinId()), hintsAtom, hintsAtom, 32,
                        5, hints);
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

void removeFrameInPlace(QWidget& window) {
    const Qt::WindowFlags flags =
        (window.windowFlags() & Qt::WindowType_Mask) | Qt::FramelessWindowHint;
    if (QWindow* native = window.windowHandle()) {
        window.overrideWindowFlags(flags);
        native->setFlags(flags);
    } else {
        // No native window yet: nothing to recreate, it is made frameless when first shown.
        window.setWindowFlags(flags);
    }
    window.setFixedSize(window.size());
    offerOnlyMoveAndClose(window);
}

void shapeWithColourKey(QWidget& window) {
    // On Windows a change of window flags rewrites the window's extended style, and with it the
    // layered style that carries the colour key: the frame goes first, the key comes last.
    removeFrameInPlace(window);
    applyColourKey(window);
}

} // namespace tarvenne::ui
