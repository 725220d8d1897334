#include "platform/posix_window_systems.h"

namespace tarvenne::ui {
namespace {

// A Wayland compositor: it composes every window, and a client reaches it through the toolkit
// only. The toolkit asks it to draw no decorations around a frameless window; which functions
// it offers on a window, and what it shows for an empty title (the toolkit sends the program's
// name), the compositor decides alone.
class WaylandWindowSystem final : public WindowSystem {
public:
    bool composesWindows() const override { return true; }
    bool hasColourKey() const override { return false; }
    void setColourKey(QWidget&, QRgb) const override {}
    void offerOnlyMoveAndClose(QWidget&) const override {}
    void writeEmptyTitle(QWidget&) const override {}
};

} // namespace

const WindowSystem& waylandWindowSystem() {
    static const WaylandWindowSystem system;
    return system;
}

} // namespace tarvenne::ui
