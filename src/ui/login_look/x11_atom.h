#pragma once

#include <QtGui/qtguiglobal.h>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

class QWidget;

namespace tarvenne::ui {

// The X connection through which to change `window`'s native window; nullptr when the
// application is not an X client or the window has no native window yet.
xcb_connection_t* nativeConnection(const QWidget& window);

// The X server's atom for `name` (made if need be), or XCB_ATOM_NONE when the server gives none.
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name);

} // namespace tarvenne::ui
#endif
