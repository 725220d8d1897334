// The login look's parts on their own: mnemonic text, the title's placement rule and the region
// that the colour key leaves.

#include "look/colour_key.h"
#include "look/login_layout.h"
#include "look/mnemonic_text.h"
#include "look/title_font.h"
#include "look/transparent_label.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QTest>
#include <QWidget>

using tarvenne::ui::TransparentLabel;
namespace layout = tarvenne::ui::login_layout;

namespace {

// A child that paints itself in the key colour: the colour key alone would cut it away.
class KeyColouredBox : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter(this).fillRect(rect(), QColor(layout::keyColour));
    }
};

} // namespace

class LookPartsTest : public QObject {
    Q_OBJECT

private slots:
    void mnemonics_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << "Quillmere"
                               << "Quillmere";
        QTest::newRow("marker hidden") << "&Quill"
                                       << "Quill";
        QTest::newRow("marker inside") << "Ash&en"
                                       << "Ashen";
        QTest::newRow("double shows one") << "R&&D"
                                          << "R&D";
        QTest::newRow("triple") << "&&&x"
                                << "&x";
        QTest::newRow("marker at the end") << "Crown&"
                                           << "Crown";
        QTest::newRow("only a double") << "&&"
                                       << "&";
        QTest::newRow("empty") << ""
                               << "";
    }

    void mnemonics() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(tarvenne::ui::withoutMnemonics(text), shown);
    }

    // Each new text is measured in the title font and stays centred; an empty text is
    // measured as one space, mnemonic markers take no room.
    void titleStaysCentred_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("measured");
        QTest::newRow("design title") << "Quillmere"
                                      << "Quillmere";
        QTest::newRow("short") << "Q"
                               << "Q";
        QTest::newRow("long") << "Tarvenne: The Ashen Crown of the Northern Marches"
                              << "Tarvenne: The Ashen Crown of the Northern Marches";
        QTest::newRow("empty") << ""
                               << " ";
        QTest::newRow("mnemonic") << "&Tarvenne"
                                  << "Tarvenne";
        QTest::newRow("double ampersand") << "Ash && Crown"
                                          << "Ash & Crown";
    }

    void titleStaysCentred() {
        QFETCH(QString, text);
        QFETCH(QString, measured);
        QWidget window;
        window.resize(layout::windowSize);
        TransparentLabel title(&window, tarvenne::ui::titleFont(layout::titleLineHeight));
        title.move(0, layout::titleTop);
        title.centreOn(layout::titleCentreX);
        // placed from a previous text first, as the window's design title is
        for (const QString& shown : {QStringLiteral("Quillmere"), QStringLiteral("Wi"), text}) {
            title.setText(shown);
            QCOMPARE(title.x() + (title.width() + 1) / 2, layout::titleCentreX);
        }
        QCOMPARE(title.width(), QFontMetrics(title.font()).horizontalAdvance(measured));
        QCOMPARE(title.y(), layout::titleTop);
    }

    void titleFontIsBrushScriptOneLine55High() {
        const QFont font = tarvenne::ui::titleFont(55);
        QVERIFY(QFontMetrics(font).height() <= 55);
        if (QFontInfo(font).family() != QStringLiteral("KouzanBrushFontGyousyo"))
            QSKIP("the running-script face is not installed (scripts/setup installs it)");
        QCOMPARE(QFontMetrics(font).height(), 55);
    }

    // The window's background and a label's glyphs are composed as on screen; key-coloured
    // pixels are left out, the controls named opaque are kept whatever they show, also inside
    // another control.
    void keyedRegionFollowsComposedPixels() {
        QWidget window;
        window.resize(80, 40);
        tarvenne::ui::applyColourKey(window);
        QFont font;
        font.setPixelSize(30);
        TransparentLabel glyphs(&window, font);
        glyphs.move(0, 0);
        glyphs.setText(QStringLiteral("I"));
        QWidget container(&window);
        container.setGeometry(40, 0, 40, 40);
        KeyColouredBox opaqueBox(&container);
        opaqueBox.setGeometry(10, 10, 20, 20);
        KeyColouredBox keyedBox(&window);
        keyedBox.setGeometry(30, 30, 10, 10);

        const QRegion region = tarvenne::ui::keyedRegion(window, {&opaqueBox});

        QVERIFY(!region.isEmpty());
        QVERIFY(region.boundingRect().right() < 70);
        QVERIFY(region.contains(QRect(50, 10, 20, 20)));
        QVERIFY(!region.intersects(QRect(30, 30, 10, 10)));
        QVERIFY(!region.contains(QPoint(45, 5)));
        // every pixel of the glyph that is not the key colour is in the region
        QImage label(glyphs.size(), QImage::Format_RGB32);
        label.fill(QColor(layout::keyColour));
        glyphs.render(&label, QPoint(), QRegion(), QWidget::DrawChildren);
        int inked = 0;
        for (int y = 0; y < label.height(); ++y)
            for (int x = 0; x < label.width(); ++x) {
                const bool ink = (label.pixel(x, y) & RGB_MASK) != (layout::keyColour & RGB_MASK);
                inked += ink;
                QCOMPARE(region.contains(glyphs.pos() + QPoint(x, y)), ink);
            }
        QVERIFY(inked > 0);
    }

    // A picture made ready for a see-through window shows as it would over the key colour:
    // transparent pixels stay see-through, opaque ones keep their colour, partly transparent
    // ones become opaque and tinted towards the key colour.
    void keyedPictureShowsAsOverTheKeyColour_data() {
        QTest::addColumn<QColor>("pixel");
        QTest::addColumn<QColor>("shown");
        QTest::newRow("transparent") << QColor(200, 40, 40, 0) << QColor(0, 0, 0, 0);
        QTest::newRow("opaque") << QColor(200, 40, 40) << QColor(200, 40, 40);
        QTest::newRow("half transparent") << QColor(200, 40, 40, 128) << QColor(100, 84, 20);
    }

    void keyedPictureShowsAsOverTheKeyColour() {
        QFETCH(QColor, pixel);
        QFETCH(QColor, shown);
        QImage picture(1, 1, QImage::Format_ARGB32);
        picture.setPixelColor(0, 0, pixel);

        const QImage keyed = tarvenne::ui::keyedOver(QPixmap::fromImage(picture)).toImage();

        const QColor result = keyed.pixelColor(0, 0);
        QCOMPARE(result.alpha(), shown.alpha());
        if (shown.alpha() > 0) {
            QVERIFY(qAbs(result.red() - shown.red()) <= 1);
            QVERIFY(qAbs(result.green() - shown.green()) <= 1);
            QVERIFY(qAbs(result.blue() - shown.blue()) <= 1);
        }
    }
};

QTEST_MAIN(LookPartsTest)
#include "look_parts_test.moc"
