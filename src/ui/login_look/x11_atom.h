#pragma once

#include <QtGui/qtguiglobal.h>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>

namespace tarvenne::ui {

// The X server's atom for `name` (made if need be), or XCB_ATOM_NONE when the server gives none.
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name);

} // namespace tarvenne::ui
#endif
