#pragma once

#include "player_seat.h"
#include "x11_client.h"

namespace tarvenne::ui::test {

// The player's seat where an X server is the display (Xvfb): its screen's pixels and its XTEST
// pointer.
class XServerSeat final : public PlayerSeat {
public:
    QImage screenshot() const override { return xServer_.screenshot(); }
    void movePointer(QPoint screenPosition) override { xServer_.movePointer(screenPosition); }
    void pressLeftButton() override { xServer_.pressButton(1); }
    void releaseLeftButton() override { xServer_.releaseButton(1); }

private:
    X11Client xServer_;
};

} // namespace tarvenne::ui::test
