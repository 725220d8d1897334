#pragma once

#include <QPoint>
#include <cstdint>

struct wl_display;
struct wl_registry;
struct org_kde_kwin_fake_input;

namespace tarvenne::ui::test {

// A pointer that KWin, the compositor in WAYLAND_DISPLAY, takes for a mouse of its own seat
// (KWin's fake input protocol): it delivers its moves and clicks to whatever window lies under
// it, its X server's windows included.
class FakeInputPointer {
public:
    FakeInputPointer();
    ~FakeInputPointer();
    FakeInputPointer(const FakeInputPointer&) = delete;
    FakeInputPointer& operator=(const FakeInputPointer&) = delete;

    // Moves the pointer to a point of the desktop, in the compositor's coordinates.
    void moveTo(QPoint desktopPosition);
    void pressLeftButton();
    void releaseLeftButton();
    void clickLeftButton();

private:
    static void announced(void* self, wl_registry* registry, std::uint32_t name,
                          const char* interface, std::uint32_t version);
    void pressOrRelease(std::uint32_t state);

    wl_display* display_ = nullptr;
    org_kde_kwin_fake_input* fakeInput_ = nullptr;
};

} // namespace tarvenne::ui::test
