// Draws the login window's artwork and writes it as PNG:
//   tarvenne-artwork <output.png>
// The committed picture is src/ui/look/login_artwork.png.

#include "artwork.h"
#include "frame_layout.h"

#include <QColor>
#include <QColorSpace>
#include <QImageWriter>
#include <cstdio>

namespace {

// The window shows every pixel that is not exactly its colour key fully opaque, so a partly
// transparent edge pixel would show blended with the key's green. Edges are therefore smoothed
// against a dark matte instead: pixels at least half covered become opaque, the rest vanish.
// The key colour itself never occurs, and nothing is drawn in the empty top rows or where the
// browser sits.
void finishForColourKey(QImage& image) {
    const QColor matte(18, 10, 4);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb px = line[x];
            const int a = qAlpha(px);
            if (y < artwork::firstRow || artwork::opening.contains(x, y) || a < 128) {
                line[x] = 0;
                continue;
            }
            const auto over = [a](int c, int m) { return (c * a + m * (255 - a) + 127) / 255; };
            QRgb opaque = qRgb(over(qRed(px), matte.red()), over(qGreen(px), matte.green()),
                               over(qBlue(px), matte.blue()));
            if (opaque == artwork::layout::keyColour)
                opaque = qRgb(0, 129, 0);
            line[x] = opaque;
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output.png>\n", argv[0]);
        return 2;
    }
    QImage image = artwork::paintArtwork().convertToFormat(QImage::Format_ARGB32);
    finishForColourKey(image);
    // 96 pixels per inch, in the sRGB colour space
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    image.setColorSpace(QColorSpace::SRgb);

    QImageWriter writer(QString::fromLocal8Bit(argv[1]), "png");
    if (!writer.write(image)) {
        std::fprintf(stderr, "cannot write %s: %s\n", argv[1], qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
