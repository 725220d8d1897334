#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QWebEngineNewWindowRequest;
class QWebEnginePage;

namespace tarvenne::directory {
struct GameRecord;
}

namespace tarvenne::ui {

class ArtworkView;
class GuardedPage;
class PageView;
class TransparentLabel;

// The login window: the artwork with the game's title, an invisible close spot and, in its
// middle, the login page. When the login page opens the game in a new window, the window goes to
// the game page and the dialog is accepted; the close spot and the desktop's close request reject
// it. Escape and Enter go to the page. Built hidden and unshaped, with its design title, until it
// takes the game's record.
class LoginWindow final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(LoginWindow)

public:
    // `gamePage` takes the game's window at the hand-off.
    explicit LoginWindow(QWebEnginePage* gamePage);

    // Takes the record chosen from the update document: the login page's address and the title.
    // Shapes the window to its artwork and titles it.
    void takeGameRecord(const directory::GameRecord& entry);

    // The record's title; empty until a record has been taken, or when it had none.
    const QString& title() const { return title_; }
    // The address of the link that the pointer rests on in the login page, empty off the links.
    const QString& hoveredLink() const { return hoveredLink_; }

    // The first result of a modal run stands: a close request that arrives after the hand-off, as
    // one does on Wayland when another window's native window is made anew, leaves it alone.
    void done(int result) override;

signals:
    // A step of the window failed with the error box's final text: the login page's address cannot
    // be made into a web address, or the login page stopped working. The window stays, with an
    // empty browser.
    void failed(const QString& message);

private slots:
    void rememberHoveredLink(const QString& address);
    void handOffGameWindow(QWebEngineNewWindowRequest& request);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWebEnginePage* gamePage_;
    ArtworkView* artworkView_;
    TransparentLabel* closeSpot_;
    TransparentLabel* titleLabel_;
    QFrame* browserPanel_;
    PageView* loginView_;
    GuardedPage* loginPage_;

    QString loginAddress_;
    QString title_;
    QString hoveredLink_;
    bool shaped_ = false;
    bool decided_ = false;
};

} // namespace tarvenne::ui
