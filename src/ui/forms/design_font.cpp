#include "forms/design_font.h"

#include <QApplication>
#include <QFontDatabase>

namespace tarvenne::ui {

QFont designFont() {
    QFont font = QApplication::font();
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        font.setFamily(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    return font;
}

} // namespace tarvenne::ui
