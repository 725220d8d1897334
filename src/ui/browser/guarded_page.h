#pragma once

#include "boxes/page_dialog.h"

#include <QElapsedTimer>
#include <QList>
#include <QWebEnginePage>

namespace tarvenne::ui {

class PageView;

// A page of the launcher's browsers, which shows what the operator's servers send over plain
// HTTP, that is what anyone on the way may have put there. It keeps the page within the web:
// it loads web addresses only (the desktop's openers are never asked), answers every permission
// request with no at once, opens no window by script without a click, gives no file of the
// player's and asks for no password of the web server's (the toolkit's dialogs for these would
// hold the launcher until answered, and the file dialog writes its settings), and runs the page's
// JavaScript dialogs so that the player can tell who asks, stop a page that keeps asking, and
// still leave the launcher while a dialog is up. The player's choice to stop a page's dialogs
// lasts until the page goes to another document. A page whose renderer process ends abnormally
// (crashed, killed, out of memory) is loaded again, a few times at most within a short time.
// What the page asks for on the player's own click and cannot have (another scheme, a download,
// one window too many) is named in a short notice over the page; refusals that no click caused
// stay silent, so that a page cannot flood the player with notices.
class GuardedPage : public QWebEnginePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GuardedPage)

public:
    // `parent` is the page's view: its window shows the page's notices and dialogs.
    GuardedPage(QWebEngineProfile* profile, QObject* parent);

    // Lets the page lock the pointer when the player asks for it with a click or a key; the
    // player frees it with Escape.
    void allowPointerLockOnPlayersAction();

    // Tells the player, if the player has just clicked in the page, that what the click asked
    // for was refused: `notice` names it.
    void noticeRefusedClick(const QString& notice);

signals:
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
    struct DialogAnswer {
        bool accepted = false;
        QString text;
    };
    // Shows the dialog unless the page may not show one now; a dialog not shown is answered
    // with Cancel.
    DialogAnswer askThroughDialog(PageDialog::Kind kind, const QUrl& origin, const QString& message,
                                  const QString& defaultValue);
    bool mayShowDialog() const;
    void answerPermissionRequest(const QUrl& origin, Feature feature);
    void reloadAfterRendererLoss(RenderProcessTerminationStatus status);
    PageView* view() const;
    bool playerJustActed() const;

    QString newDocumentWord_;
    bool dialogsStopped_ = false;
    QElapsedTimer sinceLastDialog_;
    bool pointerLockAllowed_ = false;
    // When the renderer was lost, counted from the page's making.
    QElapsedTimer clock_;
    QList<qint64> rendererLosses_;
    bool stopped_ = false;
};

} // namespace tarvenne::ui
