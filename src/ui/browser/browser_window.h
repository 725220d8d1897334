#pragma once

#include <QList>
#include <QRect>
#include <QWidget>

class QLineEdit;
class QWebEngineProfile;

namespace tarvenne::ui {

class GuardedPage;
class PageView;

// A separate top-level window with a browser of its own: where a page opens when the launcher
// does not take its new-window request. Above the page it shows the page's address, which the
// player can read and copy but not change, so that a page cannot pass for another site by its
// title. It stays on the screen with its frame, closes when its page asks to (window.close()),
// and lives until it is closed or the launcher ends.
class BrowserWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(BrowserWindow)

public:
    // At most this many separate windows are open at once.
    static constexpr int mostOpenAtOnce = 5;

    // Takes the geometry that the page asked for, where it asked for one, within the screen.
    BrowserWindow(QWebEngineProfile* profile, const QRect& requestedGeometry);

    PageView* view() const { return view_; }
    GuardedPage* page() const { return page_; }

    // The separate windows that are open now.
    static QList<BrowserWindow*> openWindows();
    // Deletes every separate window, open or closing.
    static void deleteAll();

    // Where a window of the size asked for goes on `screen` (the part that the desktop gives to
    // windows) when its frame takes `frame` around it: where it asked to be, moved and then cut
    // so that the window with its frame stays within the screen.
    static QRect keptOnScreen(const QRect& asked, const QRect& screen, const QMargins& frame);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void keepOnScreen();

    QLineEdit* address_;
    PageView* view_;
    GuardedPage* page_;
    QMargins frameKeptFor_;
};

} // namespace tarvenne::ui
