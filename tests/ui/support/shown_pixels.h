#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace tarvenne::ui::test {

// The colour that a screenshot shows at a point, without its alpha.
QRgb shownAt(const QImage& screen, QPoint at);

// The colour of the login window's artwork at a point of the window, as the screen shows it where
// the artwork is opaque.
QRgb loginArtworkPixel(QPoint at);

} // namespace tarvenne::ui::test
