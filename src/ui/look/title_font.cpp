#include "look/title_font.h"

#include <QFontMetrics>
#include <QStringList>

namespace tarvenne::ui {

QFont titleFont(int lineHeight) {
    QFont font;
    font.setFamilies({QStringLiteral("KouzanBrushFontGyousyo"), QStringLiteral("AR PL UKai CN"),
                      QStringLiteral("AR PL UKai TW")});
    font.setStyleHint(QFont::Serif);
    font.setWeight(QFont::Normal);
    for (int size = lineHeight; size > 1; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= lineHeight)
            break;
    }
    return font;
}

} // namespace tarvenne::ui
