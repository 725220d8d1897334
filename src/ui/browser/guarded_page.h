#pragma once

#include "boxes/dialog_gate.h"
#include "browser/document_reports.h"

#include <QElapsedTimer>
#include <QList>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineNewWindowRequest;

namespace tarvenne::ui {

class PageView;

// A page of the launcher's browsers, which shows what the operator's servers send over plain
// HTTP, that is what anyone on the way may have put there. It keeps the page within the web:
// it loads web addresses only (the desktop's openers are never asked), answers every permission
// request with no at once, opens separate windows on the player's click only and a handful at
// most, gives no file of the player's and asks for no password of the web server's (the
// toolkit's dialogs for these would hold the launcher until answered, and the file dialog writes
// its settings), and runs the page's JavaScript dialogs through a DialogGate, so that the player
// can tell who asks, stop a page that keeps asking, and still leave the launcher while a dialog
// is up. What the player's own click asks for and cannot have (another scheme, a download, one
// window too many) is named in a short notice over the page; refusals that no click caused stay
// silent, so that a page cannot flood the player with notices. A page whose renderer process
// ends abnormally (crashed, killed, out of memory) is loaded again, a few times at most within a
// short time. It reports every completed document: the top-level page's (or an error page shown
// in its place) and that of each frame inside it, once for each.
class GuardedPage final : public QWebEnginePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GuardedPage)

public:
    // `parent` is the page's view: its window shows the page's notices and dialogs.
    GuardedPage(QWebEngineProfile* profile, PageView* parent);

    // From now on opens every new window that the page asks for in a separate window (see
    // openInSeparateWindow). A page that hands some of them elsewhere handles newWindowRequested
    // itself instead.
    void openNewWindowsSeparately();

    // Lets the page lock the pointer when the player asks for it with a click or a key; the
    // player frees it with Escape.
    void allowPointerLockOnPlayersAction();

    // Tells the player, if the player has just clicked in the page, that what the click asked
    // for was refused: `notice` names it.
    void noticeRefusedClick(const QString& notice);

public slots:
    // Opens the requested page in a separate browser window on the same profile, with the
    // geometry that the page asked for where it asked for one, kept on the screen. Refuses a
    // window that the player did not open with a click, one for an address beyond the web, and
    // any window while a handful of separate windows are open.
    void openInSeparateWindow(QWebEngineNewWindowRequest& request);

signals:
    void documentCompleted(const QUrl& address);
    // The page's renderer ended again and again, and the page is not loaded again: `message` is
    // the error box's text.
    void stoppedWorking(const QString& message);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;
    QStringList chooseFiles(FileSelectionMode mode, const QStringList& oldFiles,
                            const QStringList& acceptedMimeTypes) override;
    void javaScriptAlert(const QUrl& securityOrigin, const QString& message) override;
    bool javaScriptConfirm(const QUrl& securityOrigin, const QString& message) override;
    bool javaScriptPrompt(const QUrl& securityOrigin, const QString& message,
                          const QString& defaultValue, QString* result) override;

private:
    void answerPermissionRequest(const QUrl& origin, Feature feature);
    void reloadAfterRendererLoss(RenderProcessTerminationStatus status);
    PageView* view() const;
    bool playerJustActed() const;

    DocumentReports reports_;
    DialogGate dialogs_;
    bool pointerLockAllowed_ = false;
    // When the renderer was lost, counted from the page's making.
    QElapsedTimer clock_;
    QList<qint64> rendererLosses_;
    bool stopped_ = false;
};

} // namespace tarvenne::ui
