#include "browser/guarded_page.h"

#include "browser/browser_window.h"
#include "browser/page_view.h"
#include "browser/web_address.h"

#include <QAuthenticator>
#include <QTimer>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineQuotaRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineScriptCollection>

namespace tarvenne::ui {
namespace {

// A renderer lost more often than this within the time below is not started again: the page would
// only crash in a loop.
constexpr int mostReloadsAfterLoss = 3;
constexpr qint64 rendererLossWindowMs = 60000;

} // namespace

GuardedPage::GuardedPage(QWebEngineProfile* profile, PageView* parent)
    : QWebEnginePage(profile, parent), reports_(scripts()) {
    clock_.start();
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            &GuardedPage::answerPermissionRequest);
    connect(this, &QWebEnginePage::renderProcessTerminated, this,
            &GuardedPage::reloadAfterRendererLoss);
    connect(this, &QWebEnginePage::loadingChanged, this, [this](const QWebEngineLoadingInfo& info) {
        if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus ||
            (info.status() == QWebEngineLoadingInfo::LoadFailedStatus && info.isErrorPage()))
            emit documentCompleted(info.url());
    });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::quotaRequested, this,
            [](QWebEngineQuotaRequest request) { request.reject(); });
    // A null authenticator cancels the request.
    connect(this, &QWebEnginePage::authenticationRequired, this,
            [](const QUrl&, QAuthenticator* authenticator) { *authenticator = QAuthenticator(); });
    connect(this, &QWebEnginePage::proxyAuthenticationRequired, this,
            [](const QUrl&, QAuthenticator* authenticator, const QString&) {
                *authenticator = QAuthenticator();
            });
}

void GuardedPage::openNewWindowsSeparately() {
    connect(this, &QWebEnginePage::newWindowRequested, this, &GuardedPage::openInSeparateWindow,
            Qt::UniqueConnection);
}

void GuardedPage::openInSeparateWindow(QWebEngineNewWindowRequest& request) {
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

void GuardedPage::allowPointerLockOnPlayersAction() {
    pointerLockAllowed_ = true;
}

void GuardedPage::noticeRefusedClick(const QString& notice) {
    if (playerJustActed())
        view()->showNotice(notice);
}

PageView* GuardedPage::view() const {
    return qobject_cast<PageView*>(parent());
}

bool GuardedPage::playerJustActed() const {
    return view() && view()->playerJustActed();
}

void GuardedPage::answerPermissionRequest(const QUrl& origin, Feature feature) {
    const bool granted = feature == MouseLock && pointerLockAllowed_ && playerJustActed();
    setFeaturePermission(origin, feature,
                         granted ? PermissionGrantedByUser : PermissionDeniedByUser);
    if (granted)
        view()->showNotice(QStringLiteral("Press Esc to free the pointer"));
}

void GuardedPage::reloadAfterRendererLoss(RenderProcessTerminationStatus status) {
    if (status == NormalTerminationStatus || stopped_)
        return;
    const qint64 now = clock_.elapsed();
    rendererLosses_.removeIf([now](qint64 lost) { return now - lost > rendererLossWindowMs; });
    rendererLosses_.append(now);
    if (rendererLosses_.size() > mostReloadsAfterLoss) {
        stopped_ = true;
        emit stoppedWorking(
            QStringLiteral("The page at %1 stopped working: it failed %2 times within a minute "
                           "and is not loaded again. Close the window and start the launcher "
                           "again.")
                .arg(PageDialog::originText(url()))
                .arg(rendererLosses_.size()));
        return;
    }
    // The page is loaded again in a new renderer once the engine has done with the old one; the
    // session's cookies live on outside the renderer.
    QTimer::singleShot(0, this, [this] { triggerAction(Reload); });
}

bool GuardedPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    if (isWebAddress(url))
        return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
    noticeRefusedClick(refusedAddressNotice(url));
    return false;
}

void GuardedPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level,
                                           const QString& message, int lineNumber,
                                           const QString& sourceID) {
    switch (reports_.read(message)) {
    case DocumentReports::Report::NewDocument:
        dialogs_.newDocument();
        return;
    case DocumentReports::Report::FrameCompleted:
        emit documentCompleted(QUrl(sourceID));
        return;
    case DocumentReports::Report::None:
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
        return;
    }
}

QStringList GuardedPage::chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) {
    return {};
}

void GuardedPage::javaScriptAlert(const QUrl& securityOrigin, const QString& message) {
    dialogs_.ask(PageDialog::Kind::Alert, securityOrigin, message, {}, view());
}

bool GuardedPage::javaScriptConfirm(const QUrl& securityOrigin, const QString& message) {
    return dialogs_.ask(PageDialog::Kind::Confirm, securityOrigin, message, {}, view()).accepted;
}

bool GuardedPage::javaScriptPrompt(const QUrl& securityOrigin, const QString& message,
                                   const QString& defaultValue, QString* result) {
    const DialogGate::Answer answer =
        dialogs_.ask(PageDialog::Kind::Prompt, securityOrigin, message, defaultValue, view());
    if (answer.accepted && result)
        *result = answer.text;
    return answer.accepted;
}

} // namespace tarvenne::ui
