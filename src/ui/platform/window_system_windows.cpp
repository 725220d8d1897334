#include "platform/window_system.h"

#include <QWidget>
#include <windows.h>

namespace tarvenne::ui {
namespace {

// Windows, through the native window handles of the toolkit's windows. Its desktop window
// manager composes every window, and its layered windows carry a colour key of their own. The
// toolkit makes a frameless window without minimise and maximise flags a pop-up window with no
// system menu and no buttons: it has nothing more to offer. For an empty title the toolkit
// writes the program's name.
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
