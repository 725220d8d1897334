#pragma once

#include "boxes/page_dialog.h"

#include <QElapsedTimer>
#include <QWebEnginePage>

namespace tarvenne::ui {

// A page of the launcher's browsers, which shows what the operator's servers send over plain
// HTTP, that is what anyone on the way may have put there. It keeps the page within the web:
// it loads web addresses only (the desktop's openers are never asked), answers every permission
// request with no at once, opens no window by script without a click, gives no file of the
// player's and asks for no password of the web server's (the toolkit's dialogs for these would
// hold the launcher until answered, and the file dialog writes its settings), and runs the page's
// JavaScript dialogs so that the player can tell who asks, stop a page that keeps asking, and
// still leave the launcher while a dialog is up.
class GuardedPage : public QWebEnginePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GuardedPage)

public:
    GuardedPage(QWebEngineProfile* profile, QObject* parent);

protected:
    bool acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) override;
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

    bool dialogsStopped_ = false;
    QElapsedTimer sinceLastDialog_;
};

} // namespace tarvenne::ui
