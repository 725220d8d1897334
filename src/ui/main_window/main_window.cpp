#include "main_window/main_window.h"

#include "app/terminate_request.h"
#include "browser/web_browser.h"
#include "forms/design_font.h"
#include "forms/form_creation.h"
#include "login_window/login_window.h"

#include <QCloseEvent>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QWindow>
#include <memory>

namespace tarvenne::ui {

TForm1* Form1 = nullptr;

TForm1::TForm1(std::string directoryAddress)
    : QWidget(nullptr, Qt::Window), web_select(new WebBrowser(this)),
      directoryAddress_(std::move(directoryAddress)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setFont(designFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(968, 569);
    // Only the state for now: setting it through the native window would make that window
    // here, before the web view is in place; putting the view in would make it anew.
    overrideWindowState(Qt::WindowMaximized);

    web_select->setObjectName(QStringLiteral("web_select"));
    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(web_select);
    // The browser has its design size before any page reaches it.
    layout->activate();
    web_select->OnDocumentComplete = [this](WebBrowser* sender, const AutomationObject& pDisp,
                                            const QUrl& address) {
        web_selectDocumentComplete(sender, pDisp, address);
    };
}

void TForm1::FormCreate() {
    TLogin* created = nullptr;
    std::unique_ptr<TLogin> login(createForm(created, this, directoryAddress_));
    const int result = login->ShowModal();
    login.reset();
    if (result != ModalResult::Ok)
        sendTerminateRequest();
}

void TForm1::web_selectDocumentComplete(WebBrowser*, const AutomationObject&, const QUrl&) {
    web_select->Application().put({
        {{QStringLiteral("Document"), QStringLiteral("Body")},
         QStringLiteral("Scroll"),
         QStringLiteral("no")},
        {{QStringLiteral("Document"), QStringLiteral("Body"), QStringLiteral("style")},
         QStringLiteral("border"),
         QStringLiteral("none")},
        {{QStringLiteral("Document"), QStringLiteral("Body"), QStringLiteral("Style")},
         QStringLiteral("margin"),
         QStringLiteral("0px")},
    });
}

void TForm1::showEvent(QShowEvent* event) {
    // The native window, made or made anew since the state was set, takes the state as it
    // comes up.
    if (!event->spontaneous())
        windowHandle()->setWindowStates(windowState());
    QWidget::showEvent(event);
}

bool TForm1::event(QEvent* event) {
    // The native window is made anew when the web engine's view first needs its surface; a new
    // native window does not know that the window is maximised.
    if (event->type() == QEvent::WinIdChange) {
        if (QWindow* native = windowHandle())
            native->setWindowStates(windowState());
    }
    return QWidget::event(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
    sendTerminateRequest();
    event->accept();
}

} // namespace tarvenne::ui
