#pragma once

#include "shown_desktop.h"
#include "x11_client.h"

#include <memory>

namespace tarvenne::ui::test {

// A desktop whose X server's windows a window manager manages, on an X display or in a Wayland
// compositor: the window manager reports the windows (_NET_WM_STATE, _NET_FRAME_EXTENTS,
// _NET_WORKAREA). The player sits at the X server where it is the display, at the compositor's
// seat otherwise.
class XWindowManagerDesktop final : public ShownDesktop {
public:
    XWindowManagerDesktop();
    explicit XWindowManagerDesktop(std::unique_ptr<PlayerSeat> compositorSeat);

    std::optional<ShownWindow> window(qint64 pid, const QString& title) const override;
    QRect workArea() const override;
    void requestClose(const ShownWindow& window) override;
    bool hasSeenPointer(QPoint screenPosition, bool leftButtonHeld) const override;
    // On an X display, the window's own pixels: a compositing window manager there (GNOME's on
    // Xvfb) at times goes on showing an old frame of a window that covers the screen, and the
    // window's pixels are what it is given to show.
    QImage contentsOf(const ShownWindow& window) const override;

    QImage screenshot() const override { return seat_->screenshot(); }
    void movePointer(QPoint screenPosition) override { seat_->movePointer(screenPosition); }
    void pressLeftButton() override { seat_->pressLeftButton(); }
    void releaseLeftButton() override { seat_->releaseLeftButton(); }

private:
    mutable X11Client xServer_;
    std::unique_ptr<PlayerSeat> seat_;
    bool xServerIsTheDisplay_;
};

} // namespace tarvenne::ui::test
