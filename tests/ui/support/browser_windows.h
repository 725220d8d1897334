#pragma once

#include <QList>

namespace tarvenne::ui {
class BrowserWindow;
}

namespace tarvenne::ui::test {

// The browser component's own separate windows that are open now.
QList<BrowserWindow*> browserWindows();

} // namespace tarvenne::ui::test
