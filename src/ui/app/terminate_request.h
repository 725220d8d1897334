#pragma once

#include <QEvent>

namespace tarvenne::ui {

// Posts the terminate request to the UI thread's queue. The loop that takes it ends: the
// login gate's modal run with the cancel result, or the main loop. Events queued ahead of
// it are handled first.
void sendTerminateRequest();

// The type of the event that carries the request.
QEvent::Type terminateRequestEvent();

} // namespace tarvenne::ui
