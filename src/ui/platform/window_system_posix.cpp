#include "platform/posix_window_systems.h"

#include <QGuiApplication>
#include <QLatin1String>

namespace tarvenne::ui {

// The toolkit's Wayland plugins are named "wayland" and "wayland-egl"; every other plugin is
// the X client or a plugin without a display, to which the X11 window system gives no answer.
const WindowSystem& windowSystem() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return waylandWindowSystem();
    return x11WindowSystem();
}

} // namespace tarvenne::ui
