#pragma once

#include <QWidget>

class QWebEngineFullScreenRequest;
class QWebEngineProfile;

namespace tarvenne::ui {

class GuardedPage;
class PageView;

// The main window: made before the login gate, hidden, so that its page can take the game's
// window at the hand-off; then shown maximised with the game's web client, and every document
// that its page completes is stripped of its scroll bars, border and margin. The game may put its
// page full screen and lock the pointer, on the player's click only; Escape always brings the
// maximised window and the pointer back, and the close request still ends the launcher at once.
// Closing it ends the launcher.
class MainWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(QWebEngineProfile* profile);

    // The page that takes the game's window.
    GuardedPage* gamePage() const { return gamePage_; }

    // The window's title, exactly as written (see setExactWindowTitle).
    void setTitle(const QString& title);

signals:
    // A step of the window failed with the error box's final text: a completed document cannot be
    // restyled, as it is not a web page, or the game page stopped working. The window stays, and
    // the next document is restyled.
    void failed(const QString& message);

private slots:
    void restyleGamePage();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void answerFullScreenRequest(QWebEngineFullScreenRequest request);
    // Leaves full screen and frees the pointer where the game has either; false when it has
    // neither.
    bool giveBackScreenAndPointer();

    PageView* gameView_;
    GuardedPage* gamePage_;
};

} // namespace tarvenne::ui
