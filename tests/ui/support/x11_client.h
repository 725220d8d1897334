#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <initializer_list>
#include <optional>

struct xcb_connection_t;

namespace tarvenne::ui::test {

// A second X client on the test display, playing the player's part and reading what the
// desktop shows: it finds a process's windows among those that the window manager manages,
// reads what the window manager reports of them (state, allowed actions, title, geometry), asks
// them to close as the window manager does on Alt+F4 or the close button, and moves and clicks
// the pointer through the XTEST extension.
class X11Client {
public:
    X11Client();
    ~X11Client();
    X11Client(const X11Client&) = delete;
    X11Client& operator=(const X11Client&) = delete;

    // The viewable top-level windows of the process.
    QList<std::uint32_t> viewableWindows(qint64 pid) const;
    // The viewable top-level window of the process whose title (_NET_WM_NAME) is exactly
    // `wanted`, if any.
    std::optional<std::uint32_t> viewableWindow(qint64 pid, const QString& wanted) const;
    // Whether the window exists and is mapped.
    bool isViewable(std::uint32_t window) const;
    // The window's client area in screen coordinates, as the X server holds it.
    QRect geometry(std::uint32_t window) const;
    // The window with the frame that the window manager draws around it (_NET_FRAME_EXTENTS).
    QRect frameGeometry(std::uint32_t window) const;
    // The part of the screen that the window manager gives to windows (_NET_WORKAREA), the whole
    // screen where it names none.
    QRect workArea() const;
    // The screen's pixels as the X server holds them: what the display shows where the X server
    // is the display (Xvfb), not where a Wayland compositor shows its windows.
    QImage screenshot() const;
    // The pixels of a window of depth 24 as the X server holds them: the window's own drawing,
    // also where a compositing manager shows the screen.
    QImage windowImage(std::uint32_t window) const;

    // The title that the window carries (_NET_WM_NAME).
    QString title(std::uint32_t window) const;
    // The window's state as the window manager reports it (_NET_WM_STATE), as atom names
    // without their "_NET_WM_STATE_" prefix: "MAXIMIZED_VERT", "FULLSCREEN", ...
    QStringList state(std::uint32_t window) const;
    // What the window manager lets the player do with the window (_NET_WM_ALLOWED_ACTIONS),
    // as atom names without their "_NET_WM_ACTION_" prefix: "MOVE", "MINIMIZE", "CLOSE", ...
    // Empty until the window manager has taken the window on.
    QStringList allowedActions(std::uint32_t window) const;

    // The WM_DELETE_WINDOW message of the ICCCM, the close request of an X desktop.
    void requestClose(std::uint32_t window);
    // Asks the window manager to minimise the window (the ICCCM's WM_CHANGE_STATE), as its
    // window menu's Iconify does.
    void requestMinimise(std::uint32_t window);
    // Asks the window manager to add a state ("FULLSCREEN", "MAXIMIZED_VERT", ...) to the
    // window (_NET_WM_STATE), as its window menu and key bindings do.
    void requestState(std::uint32_t window, const QString& state);

    // Whether a client holds the pointer in an active grab, as the window manager does while it
    // moves a window with the pointer.
    bool isPointerGrabbed();

    // Where the X server has the pointer, and whether it holds the left button pressed.
    QPoint pointerPosition() const;
    bool leftButtonHeld() const;

    void movePointer(QPoint screenPosition);
    // Buttons as X numbers them: 1 left, 3 right.
    void pressButton(int button);
    void releaseButton(int button);
    void clickLeftButton();
    // Presses and releases the key that carries the keysym `keysym` (Escape is 0xff1b).
    void tapKey(std::uint32_t keysym);

private:
    std::uint32_t atom(const char* name) const;
    QStringList atomNames(std::uint32_t window, const char* property, const QString& prefix) const;
    QList<std::uint32_t> cardinals(std::uint32_t window, const char* property,
                                   std::uint32_t type) const;
    void roundTrip();
    void sendToWindowManager(std::uint32_t window, std::uint32_t type,
                             std::initializer_list<std::uint32_t> data);

    xcb_connection_t* connection_;
    std::uint32_t root_;
};

} // namespace tarvenne::ui::test
