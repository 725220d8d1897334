#include "look/frameless.h"

#include "look/colour_key.h"
#include "platform/window_system.h"

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
    windowSystem().offerOnlyMoveAndClose(window);
}

void shapeWithColourKey(QWidget& window) {
    // On Windows a change of window flags rewrites the window's extended style, and with it the
    // layered style that carries the colour key: the frame goes first, the key comes last.
    removeFrameInPlace(window);
    applyColourKey(window);
}

} // namespace tarvenne::ui
