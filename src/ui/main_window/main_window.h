#pragma once

#include <QWidget>

class QWebEngineProfile;
class QWebEngineView;

namespace tarvenne::ui {

class FramesReportingPage;

// The main window: made before the login gate, hidden, so that its page can take the game's
// window at the hand-off; then shown maximised with the game's web client, and every document
// that its page completes is stripped of its scroll bars, border and margin. Closing it ends the
// launcher.
class MainWindow : public QWidget {
    Q_OBJECT

public:
    explicit MainWindow(QWebEngineProfile* profile);

    // The page that takes the game's window.
    FramesReportingPage* gamePage() const;

    // The window's title, exactly as written (see setExactWindowTitle).
    void setTitle(const QString& title);

private slots:
    void restyleGamePage();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWebEngineView* gameView_;
};

} // namespace tarvenne::ui
