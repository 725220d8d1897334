#include "browser/frames_reporting_page.h"

#include "browser/browser_window.h"
#include "browser/web_address.h"

#include <QUuid>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

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

} // namespace

FramesReportingPage::FramesReportingPage(QWebEngineProfile* profile, QObject* parent)
    : GuardedPage(profile, parent), word_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    QWebEngineScript script;
    script.setName(QStringLiteral("frame completion"));
    script.setInjectionPoint(QWebEngineScript::DocumentReady);
    script.setWorldId(QWebEngineScript::ApplicationWorld);
    script.setRunsOnSubFrames(true);
    script.setSourceCode(QString::fromUtf8(frameCompletionScript).trimmed() +
                         QStringLiteral("('%1')").arg(word_));
    scripts().insert(script);

    connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
            (info.status() == QWebEngineLoadingInfo::LoadFailedStatus && info.isErrorPage()))
            emit documentCompleted(info.url());
    });
}

void FramesReportingPage::openNewWindowsSeparately() {
    connect(this, &QWebEnginePage::newWindowRequested, this,
            &FramesReportingPage::openInSeparateWindow, Qt::UniqueConnection);
}

void FramesReportingPage::openInSeparateWindow(QWebEngineNewWindowRequest& request) {
    const QUrl address = request.requestedUrl();
    if (!request.isUserInitiated())
        return;
    if (!address.isEmpty() && !isWebAddress(address)) {
        noticeRefusedClick(refusedAddressNotice(address));
        return;
    }
    if (BrowserWindow::openWindows().size() >= BrowserWindow::mostOpenAtOnce) {
        noticeRefusedClick(QStringLiteral("Not opened: %1 windows are open, the most at once")
                               .arg(BrowserWindow::mostOpenAtOnce));
        return;
    }
    auto* const window = new BrowserWindow(profile(), request.requestedGeometry());
    request.openIn(window->page());
    window->show();
}

void FramesReportingPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                                   const QString& message, int lineNumber,
                                                   const QString& sourceID) {
    if (message == word_)
        emit documentCompleted(QUrl(sourceID));
    else
        GuardedPage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

} // namespace tarvenne::ui
