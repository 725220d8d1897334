#pragma once

#include <QDialog>
#include <QString>
#include <QUrl>

class QCheckBox;
class QLineEdit;

namespace tarvenne::ui {

// A page's JavaScript dialog: alert, confirm (also the question before a page is left) and
// prompt. Its own text names the page's origin (scheme, host and port) above the page's message,
// so that the player can tell who asks whatever the desktop does to the title. It can offer to
// stop the page's further dialogs.
class PageDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageDialog)

public:
    enum class Kind { Alert, Confirm, Prompt };

    PageDialog(Kind kind, const QUrl& origin, const QString& message, QWidget* parent);

    // Adds the choice to stop the page's further dialogs.
    void offerToStopFurtherDialogs();
    // Whether the player chose to stop them.
    bool stopsFurtherDialogs() const;

    // The prompt's answer, starting from `text`.
    void setPromptText(const QString& text);
    QString promptText() const;

    // "http://host:port" of the origin, the port only where the address names one.
    static QString originText(const QUrl& origin);

private:
    QLineEdit* promptField_ = nullptr;
    QCheckBox* stopFurtherDialogs_ = nullptr;
};

} // namespace tarvenne::ui
