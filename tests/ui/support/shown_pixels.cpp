#include "shown_pixels.h"

#include <QString>

namespace tarvenne::ui::test {

QRgb shownAt(const QImage& screen, QPoint at) {
    return screen.pixel(at) & RGB_MASK;
}

QRgb loginArtworkPixel(QPoint at) {
    static const QImage artwork =
        QImage(QStringLiteral(":/look/login_artwork.png")).convertToFormat(QImage::Format_RGB32);
    return artwork.pixel(at) & RGB_MASK;
}

} // namespace tarvenne::ui::test
