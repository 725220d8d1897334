#pragma once

#include <QList>
#include <QRect>
#include <QWebEngineProfile>
#include <QWidget>

class QWebEngineView;

namespace tarvenne::ui {

class FramesReportingPage;

// A separate top-level window with a browser of its own: where a page opens when the launcher
// does not take its new-window request. It lives until it is closed or the launcher ends.
class BrowserWindow : public QWidget {
    Q_OBJECT

public:
    // Takes the geometry that the page asked for, where it asked for one.
    BrowserWindow(QWebEngineProfile* profile, const QRect& requestedGeometry);

    QWebEngineView* view() const { return view_; }
    FramesReportingPage* page() const;

    // The separate windows that are open now.
    static QList<BrowserWindow*> openWindows();

private:
    QWebEngineView* view_;
};

// The one off-the-record profile of every browser of the launcher, the separate windows'
// included: the login page's session cookies reach the game page, and nothing is stored on
// disk. Its end closes the separate windows that are still open, whose pages use it.
class BrowserProfile : public QWebEngineProfile {
public:
    BrowserProfile();
    ~BrowserProfile() override;
};

} // namespace tarvenne::ui
