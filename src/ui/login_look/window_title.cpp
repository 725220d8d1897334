#include "login_look/window_title.h"

#include "login_look/x11_atom.h"

#include <QWidget>

namespace tarvenne::ui {
namespace {

// Writes the empty title to the native window, over the program's name that the toolkit put
// there: the window manager reads _NET_WM_NAME, older ones WM_NAME.
void writeEmptyNativeTitle(QWidget& window) {
#if QT_CONFIG(xcb)
    xcb_connection_t* const connection = nativeConnection(window);
    if (!connection)
        return;
    const auto native = static_cast<xcb_window_t>(window.internalWinId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, native,
                        internAtom(connection, "_NET_WM_NAME"),
                        internAtom(connection, "UTF8_STRING"), 8, 0, "");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, native, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 0, "");
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

} // namespace

void setExactWindowTitle(QWidget& window, const QString& title) {
    // A doubled placeholder is shown as one literal "[*]".
    window.setWindowTitle(QString(title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    keepEmptyTitle(window);
}

void keepEmptyTitle(QWidget& window) {
    if (window.windowTitle().isEmpty())
        writeEmptyNativeTitle(window);
}

} // namespace tarvenne::ui
