#pragma once

#include <exception>

namespace tarvenne::ui {

// Shows the failure in the error box as soon as the component has finished with the event
// that raised it. The component is never unwound by a failure: it runs outside the
// launcher's own code, inside the web engine.
void showErrorBoxAfterEvent(std::exception_ptr failure);

// The browser's event boundary: runs an event handler; a failure that escapes it ends the
// handler, what the handler did before it stands, and the component goes on as if the
// handler had returned.
template <typename Handler> void dispatchEvent(Handler&& handler) {
    try {
        handler();
    } catch (const std::exception&) {
        showErrorBoxAfterEvent(std::current_exception());
    }
}

} // namespace tarvenne::ui
