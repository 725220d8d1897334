#include "gate_driver.h"

#include "browser/web_browser.h"
#include "login_window/login_window.h"

#include <QTest>
#include <QTimer>
#include <QWindow>

namespace tarvenne::ui::test {
namespace {

QPoint inWindow(TLogin& login, QPoint inBrowser) {
    return login.web_xszd->mapTo(&login, inBrowser);
}

} // namespace

void duringGate(std::function<void(TLogin&)> steps) {
    QTimer::singleShot(0, [steps = std::move(steps)] {
        const auto shownLogin = [] { return qobject_cast<TLogin*>(ModalForm::running()); };
        if (QTest::qWaitFor([&] { return shownLogin() && shownLogin()->isVisible(); }, 30000))
            steps(*shownLogin());
        if (TLogin* login = shownLogin(); login && login->modalResult() == ModalResult::None)
            login->close();
    });
}

void hover(TLogin& login, QPoint inBrowser) {
    QTest::mouseMove(login.windowHandle(), inWindow(login, inBrowser));
}

void click(TLogin& login, QPoint inBrowser) {
    QTest::mouseClick(login.windowHandle(), Qt::LeftButton, {}, inWindow(login, inBrowser));
}

} // namespace tarvenne::ui::test
