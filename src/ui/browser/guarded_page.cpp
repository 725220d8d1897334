#include "browser/guarded_page.h"

#include "boxes/box_run.h"
#include "browser/page_view.h"
#include "browser/web_address.h"

#include <QAuthenticator>
#include <QTimer>
#include <QUuid>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineQuotaRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWidget>

namespace tarvenne::ui {
namespace {

// A dialog that follows the page's previous one this soon comes with the offer to stop the
// page's dialogs, as a page that keeps asking would trap the player in its dialogs.
constexpr qint64 closeFollowingDialogMs = 5000;

// A renderer lost more often than this within the time below is not started again: the page would
// only crash in a loop.
constexpr int mostReloadsAfterLoss = 3;
constexpr qint64 rendererLossWindowMs = 60000;

} // namespace

GuardedPage::GuardedPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent),
      newDocumentWord_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    clock_.start();
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            &GuardedPage::answerPermissionRequest);
    connect(this, &QWebEnginePage::renderProcessTerminated, this,
            &GuardedPage::reloadAfterRendererLoss);
    // Each new document of the top-level page tells the page so on its console, from the
    // launcher's own script world, with a word that the page's scripts cannot know, before any
    // script of the document runs; a move within the document (an anchor, the history API) makes
    // no new document.
    QWebEngineScript newDocument;
    newDocument.setName(QStringLiteral("new document"));
    newDocument.setInjectionPoint(QWebEngineScript::DocumentCreation);
    newDocument.setWorldId(QWebEngineScript::ApplicationWorld);
    newDocument.setRunsOnSubFrames(false);
    newDocument.setSourceCode(QStringLiteral("console.info('%1')").arg(newDocumentWord_));
    scripts().insert(newDocument);
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
    // A new document may show dialogs again, as in a browser.
    if (message == newDocumentWord_) {
        dialogsStopped_ = false;
        sinceLastDialog_.invalidate();
        return;
    }
    QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

QStringList GuardedPage::chooseFiles(FileSelectionMode, const QStringList&, const QStringList&) {
    return {};
}

void GuardedPage::javaScriptAlert(const QUrl& securityOrigin, const QString& message) {
    askThroughDialog(PageDialog::Kind::Alert, securityOrigin, message, {});
}

bool GuardedPage::javaScriptConfirm(const QUrl& securityOrigin, const QString& message) {
    return askThroughDialog(PageDialog::Kind::Confirm, securityOrigin, message, {}).accepted;
}

bool GuardedPage::javaScriptPrompt(const QUrl& securityOrigin, const QString& message,
                                   const QString& defaultValue, QString* result) {
    const DialogAnswer answer =
        askThroughDialog(PageDialog::Kind::Prompt, securityOrigin, message, defaultValue);
    if (answer.accepted && result)
        *result = answer.text;
    return answer.accepted;
}

bool GuardedPage::mayShowDialog() const {
    // Not while another box waits for the player: dialogs never pile up. Not from a page whose
    // window is gone or going, as while the launcher ends.
    const QWidget* const view = qobject_cast<QWidget*>(parent());
    return !dialogsStopped_ && !boxIsWaiting() && view && view->window()->isVisible();
}

GuardedPage::DialogAnswer GuardedPage::askThroughDialog(PageDialog::Kind kind, const QUrl& origin,
                                                        const QString& message,
                                                        const QString& defaultValue) {
    if (!mayShowDialog())
        return {};
    PageDialog dialog(kind, origin, message, qobject_cast<QWidget*>(parent()));
    dialog.setPromptText(defaultValue);
    if (sinceLastDialog_.isValid() && sinceLastDialog_.elapsed() < closeFollowingDialogMs)
        dialog.offerToStopFurtherDialogs();
    const bool accepted = runBox(dialog) == QDialog::Accepted;
    sinceLastDialog_.start();
    if (dialog.stopsFurtherDialogs())
        dialogsStopped_ = true;
    return {accepted, dialog.promptText()};
}

} // namespace tarvenne::ui
