#include "browser_windows.h"

#include "browser/browser_window.h"

#include <QApplication>

namespace tarvenne::ui::test {

QList<BrowserWindow*> browserWindows() {
    QList<BrowserWindow*> found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* browserWindow = dynamic_cast<BrowserWindow*>(window))
            found.append(browserWindow);
    }
    return found;
}

} // namespace tarvenne::ui::test
