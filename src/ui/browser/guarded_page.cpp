#include "browser/guarded_page.h"

#include "boxes/box_run.h"
#include "browser/web_address.h"

#include <QAuthenticator>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineQuotaRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineSettings>
#include <QWidget>

namespace tarvenne::ui {
namespace {

// A dialog that follows the page's previous one this soon comes with the offer to stop the
// page's dialogs, as a page that keeps asking would trap the player in its dialogs.
constexpr qint64 closeFollowingDialogMs = 5000;

} // namespace

GuardedPage::GuardedPage(QWebEngineProfile* profile, QObject* parent)
    : QWebEnginePage(profile, parent) {
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            [this](const QUrl& origin, Feature feature) {
                setFeaturePermission(origin, feature, PermissionDeniedByUser);
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

bool GuardedPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
    return isWebAddress(url) && QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
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
