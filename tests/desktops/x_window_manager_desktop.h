#pragma once

#include "shown_desktop.h"
#include "x11_client.h"

#include <memory>

namespace tarvenne::ui::test {

// A desktop whose X server's windows a window manager manages, on an X display or in a Wayland
// compositor: the window manager reports the windows (_NET_WM_STATE, _NET_FRAME_EXTENTS,
// _NET_WORKAREA). The player sits at `seat`: the X server's where it is the display, the
// compositor's otherwise.
class XWindowManagerDesktop final : public ShownDesktop {
public:
    explicit XWindowManagerDesktop(std::unique_ptr<PlayerSeat> seat);

    std::optional<ShownWindow> window(qint64 pid, const QString& title) const override;
    QRect workArea() const override;
    void requestClose(const ShownWindow& window) override;
    bool hasSeenPointer(QPoint screenPosition, bool leftButtonHeld) const override;

    QImage screenshot() const override { return seat_->screenshot(); }
    void movePointer(QPoint screenPosition) override { seat_->movePointer(screenPosition); }
    void pressLeftButton() override { seat_->pressLeftButton(); }
    void releaseLeftButton() override { seat_->releaseLeftButton(); }

private:
    mutable X11Client xServer_;
    std::unique_ptr<PlayerSeat> seat_;
};

} // namespace tarvenne::ui::test
