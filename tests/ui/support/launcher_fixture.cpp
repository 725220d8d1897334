#include "launcher_fixture.h"

#include "login_window/login_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <QWindow>

namespace tarvenne::ui::test {
namespace {

// Runs steps in the login gate's modal loop once the login window has been shown; a login
// window that they leave up is then closed. Made before the gate and ended after it, so that
// nothing of it outlives the gate.
class GateSteps : public QObject {
public:
    explicit GateSteps(std::function<void(LoginWindow&)> steps) : steps_(std::move(steps)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

    bool ran() const { return ran_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && !ran_ &&
            watched->objectName() == QLatin1String("loginWindow")) {
            auto* const login = static_cast<LoginWindow*>(watched);
            ran_ = true;
            QTimer::singleShot(0, this, [this, login] {
                steps_(*login);
                if (login->isVisible())
                    login->close();
            });
        }
        return false;
    }

private:
    std::function<void(LoginWindow&)> steps_;
    bool ran_ = false;
};

} // namespace

QWebEngineView& LauncherFixture::gameView() {
    return control<QWebEngineView>(mainWindow(), QStringLiteral("gameView"));
}

bool LauncherFixture::passGate(const QString& directoryAddress,
                               std::function<void(LoginWindow&)> steps) {
    GateSteps gate(std::move(steps));
    const bool handedOff =
        passLoginGate(mainWindow(), startFetchingGameRecord(directoryAddress.toStdString(), {}));
    if (!gate.ran())
        QTest::qFail("the login window never came up", __FILE__, __LINE__);
    return handedOff;
}

LoginWindow* shownLoginWindow() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QLatin1String("loginWindow") && window->isVisible())
            return static_cast<LoginWindow*>(window);
    }
    return nullptr;
}

QWebEngineView& loginView(LoginWindow& login) {
    return control<QWebEngineView>(login, QStringLiteral("loginView"));
}

namespace {

QPoint inWindow(LoginWindow& login, QPoint inBrowser) {
    return loginView(login).mapTo(&login, inBrowser);
}

} // namespace

void hover(LoginWindow& login, QPoint inBrowser) {
    QTest::mouseMove(login.windowHandle(), inWindow(login, inBrowser));
}

void click(LoginWindow& login, QPoint inBrowser) {
    QTest::mouseClick(login.windowHandle(), Qt::LeftButton, {}, inWindow(login, inBrowser));
}

} // namespace tarvenne::ui::test
