#include "forms/window_title.h"

#include <QWidget>

namespace tarvenne::ui {

void setExactWindowTitle(QWidget& window, const QString& title) {
    // A doubled placeholder is shown as one literal "[*]".
    window.setWindowTitle(QString(title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
}

} // namespace tarvenne::ui
