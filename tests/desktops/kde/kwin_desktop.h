#pragma once

#include <QImage>
#include <QJsonValue>
#include <QRect>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

namespace tarvenne::ui::test {

class ScriptReports;

// A window as KWin shows it.
struct KWinWindow {
    // KWin's own id of the window.
    QString id;
    // The window with the decoration that KWin draws around it (title bar, borders).
    QRect frame;
    // The window's own contents: for a native Wayland window the surface that KWin shows, for an
    // X window the client window as the X server places it inside KWin's frame.
    QRect contents;
    // The part of the window's screen that KWin gives to a maximised window: the work area.
    QRect workArea;
    bool maximizedHorizontally = false;
    bool maximizedVertically = false;
    bool fullScreen = false;
    // The X window of a client of the X server (kwin_x11's, or kwin_wayland's Xwayland);
    // 0 for a native Wayland window.
    std::uint32_t x11Window = 0;
};

// The KWin compositor on the session bus in DBUS_SESSION_BUS_ADDRESS, asked what a player would
// see: the windows it shows and the screen. It is asked through its D-Bus interfaces and through
// small KWin scripts that send their findings back to this object on the same bus.
class KWinDesktop {
public:
    KWinDesktop();
    ~KWinDesktop();
    KWinDesktop(const KWinDesktop&) = delete;
    KWinDesktop& operator=(const KWinDesktop&) = delete;

    // The shown (not minimised) window of the process whose caption is `caption`, if any.
    std::optional<KWinWindow> window(qint64 pid, const QString& caption) const;
    // The part of the screen that KWin gives to a maximised window.
    QRect workArea() const;
    // The whole workspace as the screen shows it.
    QImage screenshot() const;
    // KWin's close request, as the close button of its title bar sends it.
    void requestClose(const KWinWindow& window) const;

private:
    // Runs `body`, the body of a JavaScript function of `argument`, as a KWin script and gives
    // back what the function returns.
    QJsonValue runScript(const QString& body, const QJsonValue& argument) const;

    std::unique_ptr<ScriptReports> reports_;
};

} // namespace tarvenne::ui::test
