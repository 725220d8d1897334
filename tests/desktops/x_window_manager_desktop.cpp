#include "x_window_manager_desktop.h"

#include "x_server_seat.h"

namespace tarvenne::ui::test {

XWindowManagerDesktop::XWindowManagerDesktop()
    : seat_(std::make_unique<XServerSeat>()), xServerIsTheDisplay_(true) {}

XWindowManagerDesktop::XWindowManagerDesktop(std::unique_ptr<PlayerSeat> compositorSeat)
    : seat_(std::move(compositorSeat)), xServerIsTheDisplay_(false) {}

std::optional<ShownWindow> XWindowManagerDesktop::window(qint64 pid, const QString& title) const {
    const std::optional<std::uint32_t> window = xServer_.viewableWindow(pid, title);
    if (!window)
        return std::nullopt;
    const QStringList state = xServer_.state(*window);
    return ShownWindow{
        .id = QString::number(*window),
        .frame = xServer_.frameGeometry(*window),
        .contents = xServer_.geometry(*window),
        .maximised = state.contains(QStringLiteral("MAXIMIZED_VERT")) &&
                     state.contains(QStringLiteral("MAXIMIZED_HORZ")),
        .onXServer = true,
    };
}

QRect XWindowManagerDesktop::workArea() const {
    return xServer_.workArea();
}

void XWindowManagerDesktop::requestClose(const ShownWindow& window) {
    xServer_.requestClose(window.id.toUInt());
}

bool XWindowManagerDesktop::hasSeenPointer(QPoint screenPosition, bool leftButtonHeld) const {
    return xServer_.pointerPosition() == screenPosition &&
           xServer_.leftButtonHeld() == leftButtonHeld;
}

QImage XWindowManagerDesktop::contentsOf(const ShownWindow& window) const {
    if (!xServerIsTheDisplay_)
        return ShownDesktop::contentsOf(window);
    return xServer_.windowImage(window.id.toUInt());
}

} // namespace tarvenne::ui::test
