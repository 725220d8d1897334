#include "login_look/frameless.h"

#include <QWidget>
#include <QWindow>

namespace tarvenne::ui {

void removeFrameInPlace(QWidget& window) {
    const Qt::WindowFlags flags =
        (window.windowFlags() & Qt::WindowType_Mask) | Qt::FramelessWindowHint;
    if (QWindow* native = window.windowHandle()) {
        window.overrideWindowFlags(flags);
        native->setFlags(flags);
    } else {
        // No native window yet: nothing to recreate, it is made frameless when first shown.
        window.setWindowFlags(flags);
    }
    window.setFixedSize(window.size());
}

} // namespace tarvenne::ui
