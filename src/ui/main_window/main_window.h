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
class MainWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)

public:
    explicit MainWindow(QWebEngineProfile* profile);

    // The page that takes the game's window.
    FramesReportingPage* gamePage() const { return gamePage_; }

    // The window's title, exactly as written (see setExactWindowTitle).
    void setTitle(const QString& title);

signals:
    // A step of the window failed with the error box's text: a completed document cannot be
    // restyled, as it is not a web page. The window stays, and the next document is restyled.
    void failed(const QString& message);

private slots:
    void restyleGamePage();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWebEngineView* gameView_;
    FramesReportingPage* gamePage_;
};

} // namespace tarvenne::ui
