#pragma once

#include <QPoint>
#include <functional>

namespace tarvenne::ui {
class TLogin;
}

namespace tarvenne::ui::test {

// Runs `steps` inside the login gate, once the login window is shown in its modal run.
// Whatever the steps leave open, the gate is then ended: a login window still without a
// modal result is closed.
void duringGate(std::function<void(TLogin&)> steps);

// Moves the pointer to, or clicks at, a point of the login browser, given relative to the
// browser's top-left corner. The events enter at the window, as the display's would.
void hover(TLogin& login, QPoint inBrowser);
void click(TLogin& login, QPoint inBrowser);

} // namespace tarvenne::ui::test
