#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <optional>

namespace tarvenne::ui::test {

// A window as the compositor shows it.
struct DesktopWindow {
    qint64 id = 0;
    // Where its contents lie on the desktop.
    QRect rect;
    bool floating = false;
    // "xdg_shell" for a native Wayland window, "xwayland" for an X window.
    QString shell;
};

// The headless sway compositor in SWAYSOCK and WAYLAND_DISPLAY, asked what a player would
// see: its windows, its output, a screenshot.
class SwayDesktop {
public:
    // The visible window of the process whose title is `title`, if any.
    std::optional<DesktopWindow> window(qint64 pid, const QString& title) const;
    // The output's rectangle in desktop coordinates.
    QRect output() const;
    // The whole desktop as the output shows it.
    QImage screenshot() const;
    // The close request of the desktop, as a window's close button sends it.
    void requestClose(const DesktopWindow& window) const;

private:
    static QByteArray run(const QString& program, const QStringList& arguments);
};

} // namespace tarvenne::ui::test
