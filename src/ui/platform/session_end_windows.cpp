#include "platform/session_end.h"

namespace tarvenne::ui {

// Windows ends a session through the end-session messages of the application's windows, which
// Qt answers by quitting the application's loops: no signal reaches the launcher to be taken.
SessionEnd::SessionEnd(QObject* parent) : QObject(parent) {}

SessionEnd::~SessionEnd() = default;

} // namespace tarvenne::ui
