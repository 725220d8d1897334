#include "platform/window_system.h"

#include <QWidget>
#include <windows.h>

namespace tarvenne::ui {
namespace {

// Windows, through the native window handles of the toolkit's windows. Its desktop window
// manager composes every window, and its layered windows carry a colour key of their own. A
// frameless window is a pop-up window without a system menu, so the toolkit's window flags
// already leave it nothing to offer; the toolkit writes the program's name for an empty title.
class WindowsWindowSystem final : public WindowSystem {
public:
    bool composesWindows() const override { return true; }

    bool hasColourKey() const override { return true; }

    void setColourKey(QWidget& window, QRgb colour) const override {
        const auto hwnd = reinterpret_cast<HWND>(window.winId());
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(hwnd, RGB(qRed(colour), qGreen(colour), qBlue(colour)), 0,
                                   LWA_COLORKEY);
    }

    void offerOnlyMoveAndClose(QWidget&) const override {}
    void writeEmptyTitle(QWidget&) const override {}
};

} // namespace

const WindowSystem& windowSystem() {
    static const WindowsWindowSystem system;
    return system;
}

} // namespace tarvenne::ui
