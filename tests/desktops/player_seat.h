#pragma once

#include <QImage>
#include <QPoint>

namespace tarvenne::ui::test {

// The player's eye and hand at a desktop: its whole screen as the display shows it, and a
// pointer that moves and presses the left button as a mouse does.
class PlayerSeat {
public:
    PlayerSeat() = default;
    PlayerSeat(const PlayerSeat&) = delete;
    PlayerSeat& operator=(const PlayerSeat&) = delete;
    virtual ~PlayerSeat() = default;

    virtual QImage screenshot() const = 0;
    virtual void movePointer(QPoint screenPosition) = 0;
    virtual void pressLeftButton() = 0;
    virtual void releaseLeftButton() = 0;
};

} // namespace tarvenne::ui::test
