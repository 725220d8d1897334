#include "kwin_wayland_desktop.h"

namespace tarvenne::ui::test {

KWinWaylandDesktop::KWinWaylandDesktop(bool windowsOnXServer)
    : windowsOnXServer_(windowsOnXServer) {}

std::optional<ShownWindow> KWinWaylandDesktop::window(qint64 pid, const QString& title) const {
    const std::optional<KWinWindow> window = kwin_.window(pid, title);
    if (!window)
        return std::nullopt;
    return ShownWindow{
        .id = window->id,
        .frame = window->frame,
        .contents = window->contents,
        .maximised = window->maximizedHorizontally && window->maximizedVertically,
        .onXServer = window->x11Window != 0,
    };
}

QRect KWinWaylandDesktop::workArea() const {
    return kwin_.workArea();
}

void KWinWaylandDesktop::requestClose(const ShownWindow& window) {
    KWinWindow shown;
    shown.id = window.id;
    kwin_.requestClose(shown);
}

bool KWinWaylandDesktop::hasSeenPointer(QPoint screenPosition, bool leftButtonHeld) const {
    // KWin has handled each fake input event, and sent it on to its native windows, once the
    // pointer's round trip returns; its X server goes on in its own time.
    if (!windowsOnXServer_)
        return true;
    return xServer_.pointerPosition() == screenPosition &&
           xServer_.leftButtonHeld() == leftButtonHeld;
}

} // namespace tarvenne::ui::test
