#pragma once

#include "app/launcher.h"
#include "browser/browser_window.h"
#include "main_window/main_window.h"

#include <QApplication>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <functional>

class QWebEngineView;

namespace tarvenne::ui {
class LoginWindow;
}

namespace tarvenne::ui::test {

// The launcher's windows in the test's own process, as a run has them before its login gate:
// the browsers' profile and the hidden main window. Windows and controls are found by their
// object names.
class LauncherFixture {
public:
    MainWindow& mainWindow() { return windows_.mainWindow(); }
    QWebEngineView& gameView();

    // Runs the login gate against the update document at `directoryAddress`, with `steps` once
    // the login window is shown in its modal run; a login window that the steps leave up is then
    // closed. Fails the test when the login window never comes up. Returns whether the game was
    // handed off.
    bool passGate(const QString& directoryAddress, std::function<void(LoginWindow&)> steps);

private:
    LauncherWindows windows_;
};

// The control of `window` named `name`.
template <typename Control> Control& control(QWidget& window, const QString& name) {
    auto* const found = window.findChild<Control*>(name);
    if (!found)
        qFatal("%s has no control named %s", qPrintable(window.objectName()), qPrintable(name));
    return *found;
}

// The login window that is shown now, if any.
LoginWindow* shownLoginWindow();
QWebEngineView& loginView(LoginWindow& login);

// Moves the pointer to, or clicks at, a point of the login browser, given relative to the
// browser's top-left corner. The events enter at the window, as the display's would.
void hover(LoginWindow& login, QPoint inBrowser);
void click(LoginWindow& login, QPoint inBrowser);

} // namespace tarvenne::ui::test
