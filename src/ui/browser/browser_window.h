#pragma once

#include <QRect>
#include <QWidget>

namespace tarvenne::ui {

class WebBrowser;

// A separate top-level window of the browser component with a browser of its own: where a
// page opens when no handler takes its new-window request. It lives until it is closed or
// the launcher ends.
class BrowserWindow : public QWidget {
public:
    // Takes the geometry that the page asked for, where it asked for one.
    explicit BrowserWindow(const QRect& requestedGeometry);
    ~BrowserWindow() override;

    WebBrowser* browser() const { return browser_; }

    // Closes every such window that is still open.
    static void closeAll();

private:
    WebBrowser* browser_;
};

} // namespace tarvenne::ui
