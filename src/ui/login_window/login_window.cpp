#include "login_window/login_window.h"

#include "browser/web_browser.h"
#include "forms/design_font.h"
#include "main_window/main_window.h"

#include <QFrame>
#include <QShowEvent>
#include <QVBoxLayout>
#include <directory/fetch_server_entry.h>
#include <text/code_page.h>

namespace tarvenne::ui {

TLogin::TLogin(QWidget* owner, std::string directoryAddress)
    : ModalForm(owner), Panel1(new QFrame(this)), web_xszd(new WebBrowser(Panel1)),
      directoryAddress_(std::move(directoryAddress)) {
    setObjectName(QStringLiteral("Login"));
    setWindowTitle(QStringLiteral("Login"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setFont(designFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(1108, 529);

    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Panel1->setLineWidth(1);
    Panel1->setGeometry(361, 102, 638, 405);

    web_xszd->setObjectName(QStringLiteral("web_xszd"));
    auto* const panelLayout = new QVBoxLayout(Panel1);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(web_xszd);
    panelLayout->activate();
    web_xszd->OnStatusTextChange = [this](WebBrowser* sender, const QString& text) {
        web_selectStatusTextChange(sender, text);
    };
    web_xszd->OnNewWindow2 = [this](WebBrowser* sender, AutomationObject& ppDisp, bool& cancel) {
        web_selectNewWindow2(sender, ppDisp, cancel);
    };
}

void TLogin::FormCreate() {
    if (const auto entry =
            directory::fetchServerEntry(IdHTTP1, directoryAddress_, text::systemAnsiCodePage())) {
        caption1 = QString::fromStdU16String(entry->caption1);
        dns = QString::fromStdU16String(entry->dns);
        loginp = QString::fromStdU16String(entry->loginp);
    }
    shapeAndTitle();
}

void TLogin::shapeAndTitle() {
    setWindowTitle(caption1);
}

void TLogin::showEvent(QShowEvent* event) {
    ModalForm::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TLogin::FormShow() {
    web_xszd->Navigate(dns + loginp);
}

void TLogin::web_selectStatusTextChange(WebBrowser*, const QString& Text) {
    Form1->url = Text;
    NewURL = Text;
}

void TLogin::web_selectNewWindow2(WebBrowser*, AutomationObject& ppDisp, bool&) {
    if (!NewURL.contains(HandOffMarker, Qt::CaseSensitive))
        return;
    ppDisp = Form1->web_select->Application();
    Form1->setWindowTitle(caption1);
    setModalResult(ModalResult::Ok);
}

} // namespace tarvenne::ui
