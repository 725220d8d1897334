#include "browser/web_browser.h"

#include "browser/browser_window.h"
#include "browser/event_dispatch.h"
#include "browser/shared_profile.h"

#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>

namespace tarvenne::ui {

WebBrowser::WebBrowser(QWidget* parent) : QWebEngineView(parent) {
    auto* const ownPage = new QWebEnginePage(sharedProfile(), this);
    setPage(ownPage);
    connect(ownPage, &QWebEnginePage::linkHovered, this, &WebBrowser::statusTextChanged);
    connect(ownPage, &QWebEnginePage::newWindowRequested, this, &WebBrowser::newWindowRequested);
    connect(ownPage, &QWebEnginePage::loadingChanged, this, &WebBrowser::loadingChanged);
}

void WebBrowser::Navigate(const QString& address) {
    load(QUrl(address));
}

AutomationObject WebBrowser::Application() {
    return AutomationObject(this);
}

void WebBrowser::statusTextChanged(const QString& text) {
    if (OnStatusTextChange)
        dispatchEvent([&] { OnStatusTextChange(this, text); });
}

void WebBrowser::newWindowRequested(QWebEngineNewWindowRequest& request) {
    AutomationObject ppDisp;
    bool Cancel = false;
    if (OnNewWindow2)
        dispatchEvent([&] { OnNewWindow2(this, ppDisp, Cancel); });
    if (Cancel)
        return;
    if (!ppDisp.isEmpty()) {
        request.openIn(ppDisp.browser()->page());
        return;
    }
    auto* const window = new BrowserWindow(request.requestedGeometry());
    request.openIn(window->browser()->page());
    window->show();
}

void WebBrowser::loadingChanged(const QWebEngineLoadingInfo& info) {
    const bool completed =
        info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
        (info.status() == QWebEngineLoadingInfo::LoadFailedStatus && info.isErrorPage());
    if (completed && OnDocumentComplete)
        dispatchEvent([&] { OnDocumentComplete(this, Application(), info.url()); });
}

} // namespace tarvenne::ui
