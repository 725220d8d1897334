#pragma once

#include "player_seat.h"

#include <QDBusObjectPath>
#include <QObject>
#include <optional>

namespace tarvenne::ui::test {

// The player's seat at GNOME's headless compositor, through the compositor's own remote desktop
// (its D-Bus services): the monitor as the compositor shows it, frames and title bars it draws
// included, read from its screen cast (frames over PipeWire), and a pointer that the compositor
// moves as its own, so that its window moves and title bars answer it as they answer a mouse.
// The session runs from construction to destruction, on this process's session bus connection.
class MutterRemoteDesktop final : public QObject, public PlayerSeat {
    Q_OBJECT

public:
    MutterRemoteDesktop();
    ~MutterRemoteDesktop() override;

    QImage screenshot() const override;
    void movePointer(QPoint screenPosition) override;
    void pressLeftButton() override;
    void releaseLeftButton() override;

private slots:
    void takeStream(uint node);

private:
    void notify(const QString& method, const QVariantList& arguments);

    QDBusObjectPath session_;
    QDBusObjectPath stream_;
    std::optional<uint> node_;
};

} // namespace tarvenne::ui::test
