#pragma once

#include "fake_input_pointer.h"
#include "kwin_desktop.h"
#include "shown_desktop.h"
#include "x11_client.h"

namespace tarvenne::ui::test {

// KDE's compositor on Wayland as its player sees it: KWin reports its windows, native and of its
// X server alike, shows its screen and moves its own pointer (fake input).
class KWinWaylandDesktop final : public ShownDesktop {
public:
    // `windowsOnXServer`: whether the windows that the pointer is to reach are X windows.
    explicit KWinWaylandDesktop(bool windowsOnXServer);

    std::optional<ShownWindow> window(qint64 pid, const QString& title) const override;
    QRect workArea() const override;
    void requestClose(const ShownWindow& window) override;
    bool hasSeenPointer(QPoint screenPosition, bool leftButtonHeld) const override;

    QImage screenshot() const override { return kwin_.screenshot(); }
    void movePointer(QPoint screenPosition) override { pointer_.moveTo(screenPosition); }
    void pressLeftButton() override { pointer_.pressLeftButton(); }
    void releaseLeftButton() override { pointer_.releaseLeftButton(); }

private:
    KWinDesktop kwin_;
    FakeInputPointer pointer_;
    bool windowsOnXServer_;
    mutable X11Client xServer_;
};

} // namespace tarvenne::ui::test
