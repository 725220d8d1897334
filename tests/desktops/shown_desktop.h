#pragma once

#include "player_seat.h"

#include <QRect>
#include <QString>
#include <optional>

namespace tarvenne::ui::test {

// A window as the desktop reports it.
struct ShownWindow {
    // The desktop's own name for the window.
    QString id;
    // The window with the title bar and border that the desktop draws around it.
    QRect frame;
    // The window's own pixels within the frame.
    QRect contents;
    // Maximised in both directions.
    bool maximised = false;
    // A window of the desktop's X server rather than a native Wayland window.
    bool onXServer = false;
};

// A desktop as its compositor or window manager reports it to a player, its windows and its
// work area, with the player's seat at it and the close request of its windows' close buttons.
class ShownDesktop : public PlayerSeat {
public:
    // The visible window of the process whose title is `title`, if any.
    virtual std::optional<ShownWindow> window(qint64 pid, const QString& title) const = 0;
    // The part of the screen that the desktop gives to windows (the screen less its panels).
    virtual QRect workArea() const = 0;
    virtual void requestClose(const ShownWindow& window) = 0;
    // Whether the windows' side of the desktop has seen the pointer arrive at `screenPosition`
    // with the left button held or not: the X server of an X window, the compositor of a native
    // one. The seat's input reaches the windows in its own time.
    virtual bool hasSeenPointer(QPoint screenPosition, bool leftButtonHeld) const = 0;
    // The window's contents as the desktop shows them.
    virtual QImage contentsOf(const ShownWindow& window) const {
        return screenshot().copy(window.contents);
    }
};

} // namespace tarvenne::ui::test
