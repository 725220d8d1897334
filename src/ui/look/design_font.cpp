#include "look/design_font.h"

#include <QApplication>
#include <QStringList>

namespace tarvenne::ui {

QFont designFont() {
    QFont font = QApplication::font();
    // "Tahoma" where present, else a plain sans face, else the toolkit's own
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans"), font.family()});
    font.setPointSize(8);
    return font;
}

} // namespace tarvenne::ui
