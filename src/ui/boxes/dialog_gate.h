#pragma once

#include "boxes/page_dialog.h"

#include <QElapsedTimer>
#include <QString>

class QUrl;
class QWidget;

namespace tarvenne::ui {

// The way of one page's JavaScript dialogs to the player. A dialog is shown only while no other
// box waits for the player (dialogs never pile up) and while the page's window is up; one that
// follows the page's previous dialog within a few seconds offers to stop the page's further
// dialogs, as a page that keeps asking would trap the player in its dialogs. The player's choice
// lasts until the page goes to another document, as in a browser. A dialog not shown is answered
// with Cancel.
class DialogGate final {
public:
    struct Answer {
        bool accepted = false;
        QString text;
    };

    // Asks the player through a dialog over `view`, the page's view; a prompt starts from
    // `defaultValue`.
    Answer ask(PageDialog::Kind kind, const QUrl& origin, const QString& message,
               const QString& defaultValue, QWidget* view);

    // The page went to another document.
    void newDocument();

private:
    bool mayShowDialog(const QWidget* view) const;

    bool stopped_ = false;
    QElapsedTimer sinceLastDialog_;
};

} // namespace tarvenne::ui
