#include "browser/web_browser.h"

#include "browser/browser_window.h"
#include "browser/event_dispatch.h"
#include "browser/shared_profile.h"

#include <QUuid>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <functional>

namespace tarvenne::ui {
namespace {

// The web engine reports completed loads of the top-level page only. A script in every frame
// reports the completion of its frame's document on the page's console, in the launcher's own
// script world, with a word that the page's scripts cannot know.
constexpr char frameCompletionScript[] = R"js(
(function (word) {
    'use strict';
    if (window === window.top)
        return;
    const report = () => console.info(word);
    if (document.readyState === 'complete')
        report();
    else
        window.addEventListener('load', report, { once: true });
})
)js";

// A page that passes on the frame completions that the script above reports.
class FramesReportingPage : public QWebEnginePage {
public:
    FramesReportingPage(std::function<void(const QUrl&)> frameCompleted, QObject* parent)
        : QWebEnginePage(sharedProfile(), parent),
          word_(QUuid::createUuid().toString(QUuid::WithoutBraces)),
          frameCompleted_(std::move(frameCompleted)) {
        QWebEngineScript script;
        script.setName(QStringLiteral("frame completion"));
        script.setInjectionPoint(QWebEngineScript::DocumentReady);
        script.setWorldId(QWebEngineScript::ApplicationWorld);
        script.setRunsOnSubFrames(true);
        script.setSourceCode(QString::fromUtf8(frameCompletionScript).trimmed() +
                             QStringLiteral("('%1')").arg(word_));
        scripts().insert(script);
    }

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override {
        if (message == word_)
            frameCompleted_(QUrl(sourceID));
        else
            QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
    }

private:
    QString word_;
    std::function<void(const QUrl&)> frameCompleted_;
};

} // namespace

WebBrowser::WebBrowser(QWidget* parent) : QWebEngineView(parent) {
    auto* const ownPage =
        new FramesReportingPage([this](const QUrl& frame) { documentCompleted(frame); }, this);
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
    if (completed)
        documentCompleted(info.url());
}

void WebBrowser::documentCompleted(const QUrl& address) {
    if (OnDocumentComplete)
        dispatchEvent([&] { OnDocumentComplete(this, Application(), address); });
}

} // namespace tarvenne::ui
