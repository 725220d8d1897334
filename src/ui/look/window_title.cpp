#include "look/window_title.h"

#include "platform/window_system.h"

#include <QWidget>

namespace tarvenne::ui {

void setExactWindowTitle(QWidget& window, const QString& title) {
    // A doubled placeholder is shown as one literal "[*]".
    window.setWindowTitle(QString(title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    keepEmptyTitle(window);
}

void keepEmptyTitle(QWidget& window) {
    if (window.windowTitle().isEmpty())
        windowSystem().writeEmptyTitle(window);
}

} // namespace tarvenne::ui
