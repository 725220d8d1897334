#pragma once

#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>

struct xcb_connection_t;

namespace tarvenne::ui::test {

// A second X client on the test display, playing the desktop's part towards the launcher
// process: it finds the process's windows, asks them to close as a window manager does on
// Alt+F4 or the close button, and moves and clicks the pointer through the XTEST extension.
class X11Client {
public:
    X11Client();
    ~X11Client();
    X11Client(const X11Client&) = delete;
    X11Client& operator=(const X11Client&) = delete;

    // The viewable top-level window of the process whose title is `title`, if any.
    std::optional<std::uint32_t> viewableWindow(qint64 pid, const QString& title) const;
    // Whether the window exists and is mapped.
    bool isViewable(std::uint32_t window) const;
    // The window's rectangle in screen coordinates.
    QRect geometry(std::uint32_t window) const;

    // The WM_DELETE_WINDOW message of the ICCCM, the close request of an X desktop.
    void requestClose(std::uint32_t window);

    void movePointer(QPoint screenPosition);
    void clickLeftButton();

private:
    std::uint32_t atom(const char* name) const;

    xcb_connection_t* connection_;
    std::uint32_t root_;
};

} // namespace tarvenne::ui::test
