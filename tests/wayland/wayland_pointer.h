#pragma once

#include <QPoint>
#include <QSize>
#include <cstdint>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct zwlr_virtual_pointer_manager_v1;
struct zwlr_virtual_pointer_v1;

namespace tarvenne::ui::test {

// A virtual pointer on the compositor in WAYLAND_DISPLAY: the compositor takes its moves and
// clicks like those of a mouse and delivers them to whatever window lies under it, its own
// X server's windows included.
class WaylandPointer {
public:
    // `desktop`: the size of the compositor's whole output layout, which absolute positions
    // are measured against.
    explicit WaylandPointer(QSize desktop);
    ~WaylandPointer();
    WaylandPointer(const WaylandPointer&) = delete;
    WaylandPointer& operator=(const WaylandPointer&) = delete;

    void moveTo(QPoint desktopPosition);
    void clickLeftButton();

private:
    static void announced(void* self, wl_registry* registry, std::uint32_t name,
                          const char* interface, std::uint32_t version);
    void send();

    QSize desktop_;
    wl_display* display_ = nullptr;
    wl_seat* seat_ = nullptr;
    zwlr_virtual_pointer_manager_v1* manager_ = nullptr;
    zwlr_virtual_pointer_v1* pointer_ = nullptr;
    std::uint32_t time_ = 0;
};

} // namespace tarvenne::ui::test
