// The committed login artwork keeps the layout's promises: it leaves the browser's opening and
// the top rows empty, covers the title band and the close hotspot, and never uses the key colour.

#include "artwork/frame_layout.h"
#include "look/login_layout.h"

#include <QImage>
#include <QImageReader>
#include <QRect>
#include <QTest>

namespace {

namespace layout = tarvenne::ui::login_layout;

// The hotspot is seven spaces of the window font wide; spaces of up to four pixels are covered.
const QRect HotspotArea(layout::closeSpot, QSize(7 * 4, 13));

bool partlyTransparent(QRgb pixel) {
    return qAlpha(pixel) > 0 && qAlpha(pixel) < 255;
}

} // namespace

class ArtworkTest : public QObject {
    Q_OBJECT

    QImage artwork_;

private slots:
    void initTestCase() {
        QImageReader reader(QStringLiteral(TARVENNE_LOGIN_ARTWORK));
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage read = reader.read();
        QVERIFY2(!read.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(read.size(), layout::windowSize);
        QVERIFY(read.hasAlphaChannel());
        artwork_ = read.convertToFormat(QImage::Format_ARGB32);
    }

    void regionAlpha_data() {
        QTest::addColumn<QRect>("region");
        QTest::addColumn<int>("alpha");
        QTest::newRow("top seven rows empty")
            << QRect(0, 0, layout::windowSize.width(), artwork::firstRow) << 0;
        QTest::newRow("opening under the browser") << artwork::opening << 0;
        QTest::newRow("title band") << artwork::titleBand << 255;
        QTest::newRow("close hotspot") << HotspotArea << 255;
    }

    void regionAlpha() {
        QFETCH(QRect, region);
        QFETCH(int, alpha);
        for (int y = region.top(); y <= region.bottom(); ++y)
            for (int x = region.left(); x <= region.right(); ++x)
                if (qAlpha(artwork_.pixel(x, y)) != alpha)
                    QFAIL(qPrintable(QStringLiteral("alpha %1 at %2, %3")
                                         .arg(qAlpha(artwork_.pixel(x, y)))
                                         .arg(x)
                                         .arg(y)));
    }

    void frameTouchesLeftRightAndBottomEdgesAndRow7() {
        QRect drawn;
        for (int y = 0; y < artwork_.height(); ++y)
            for (int x = 0; x < artwork_.width(); ++x)
                if (qAlpha(artwork_.pixel(x, y)) > 0)
                    drawn |= QRect(x, y, 1, 1);
        QCOMPARE(drawn, QRect(0, artwork::firstRow, layout::windowSize.width(),
                              layout::windowSize.height() - artwork::firstRow));
    }

    void noPixelHasTheKeyColour() {
        for (int y = 0; y < artwork_.height(); ++y)
            for (int x = 0; x < artwork_.width(); ++x) {
                const QRgb pixel = artwork_.pixel(x, y);
                if (qAlpha(pixel) > 0 && (pixel & RGB_MASK) == (layout::keyColour & RGB_MASK))
                    QFAIL(qPrintable(QStringLiteral("key colour at %1, %2").arg(x).arg(y)));
            }
    }

    // Antialiasing may leave partly transparent pixels, but only within two pixels of
    // transparent ones.
    void partlyTransparentPixelsOnlyAlongEdges() {
        for (int y = 0; y < artwork_.height(); ++y)
            for (int x = 0; x < artwork_.width(); ++x) {
                if (!partlyTransparent(artwork_.pixel(x, y)))
                    continue;
                bool edge = false;
                for (int dy = -2; dy <= 2 && !edge; ++dy)
                    for (int dx = -2; dx <= 2 && !edge; ++dx)
                        edge = artwork_.valid(x + dx, y + dy) &&
                               qAlpha(artwork_.pixel(x + dx, y + dy)) == 0;
                if (!edge)
                    QFAIL(qPrintable(QStringLiteral("translucent inside at %1, %2").arg(x).arg(y)));
            }
    }
};

QTEST_GUILESS_MAIN(ArtworkTest)
#include "artwork_test.moc"
