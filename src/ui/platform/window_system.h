#pragma once

#include <QRgb>

class QWidget;

namespace tarvenne::ui {

// What the launcher's windows ask of the window system beyond what the toolkit gives: whether
// the display composes windows, the system's own colour key, the hints that leave a window only
// moving and closing, and an empty title that stays empty. Each window system answers in a file
// of its own; the build compiles those of the target's platform.
class WindowSystem {
public:
    WindowSystem() = default;
    WindowSystem(const WindowSystem&) = delete;
    WindowSystem& operator=(const WindowSystem&) = delete;
    virtual ~WindowSystem() = default;

    // Whether the display shows the pixels of windows with their transparency, so that a
    // see-through window shows what lies behind it.
    virtual bool composesWindows() const = 0;

    // Whether the window system keys a colour out of a window itself: the window's pixels of that
    // colour show what lies behind it and take no clicks.
    virtual bool hasColourKey() const = 0;

    // Turns the window system's colour key on for `window` with `colour`; only where
    // hasColourKey(). Makes the native window if it has none yet.
    virtual void setColourKey(QWidget& window, QRgb colour) const = 0;

    // Tells the window manager that `window` can be moved and closed, nothing else (no resizing,
    // minimising, maximising or full screen), and that it draws no decorations around it, where
    // the toolkit offers every function on a frameless window. Holds for the native window that
    // the window has now; nothing where it has none yet.
    virtual void offerOnlyMoveAndClose(QWidget& window) const = 0;

    // Writes the empty title to `window`'s native window, over the program's name that the toolkit
    // puts in place of an empty title. Nothing where the window has no native window yet.
    virtual void writeEmptyTitle(QWidget& window) const = 0;
};

// The window system that the application runs on; asked once the application object exists.
const WindowSystem& windowSystem();

} // namespace tarvenne::ui
