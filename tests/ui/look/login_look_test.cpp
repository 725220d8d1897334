// The login window's look on a real X display: the shaped window over a plain desktop, the
// pointer driven through the X server, and the unshaped window after a failed download.

#include "app/application.h"
#include "login_look/artwork_image.h"
#include "login_look/transparent_label.h"
#include "login_window/login_window.h"
#include "main_window/main_window.h"
#include "xtest_pointer.h"

#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <base/error.h>
#include <memory>

using tarvenne::ui::Application;
using tarvenne::ui::Form1;
using tarvenne::ui::ModalResult;
using tarvenne::ui::TLogin;
using tarvenne::ui::test::XTestPointer;

namespace {

constexpr QRgb KeyColour = qRgb(0, 128, 0);
const QColor DesktopColour(40, 70, 150);
const QPoint WindowAt(150, 120);
// Points of the layout: on the emblem's jade (opaque artwork), in the air above the wing
// (transparent artwork), inside the browser, on the close hotspot.
const QPoint OnArtwork(192, 300);
const QPoint InTheAir(60, 40);
const QPoint InTheBrowser(680, 300);
const QPoint OnHotspot(1016, 39);
constexpr int Left = 1;
constexpr int Right = 3;

// The desktop behind the window: one plain colour over the whole screen, counting the presses
// that reach it.
class Desktop : public QWidget {
public:
    Desktop() : QWidget(nullptr, Qt::FramelessWindowHint) {
        QPalette colours = palette();
        colours.setColor(QPalette::Window, DesktopColour);
        setPalette(colours);
        setAutoFillBackground(true);
        setGeometry(QGuiApplication::primaryScreen()->geometry());
    }
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

// Counts the pointer events that the application takes from the display.
class PointerLog : public QObject {
public:
    int moves = 0;
    int releases = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const bool pointer =
            event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonRelease;
        if (pointer && event->spontaneous() && watched->isWidgetType()) {
            moves += event->type() == QEvent::MouseMove;
            releases += event->type() == QEvent::MouseButtonRelease;
        }
        return false;
    }
};

// A directory address where nothing listens.
std::string deadAddress() {
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return "http://127.0.0.1:" + std::to_string(port) + "/update.html";
}

// Colours as the screen holds them, without alpha.
QRgb opaque(const QColor& colour) {
    return colour.rgb() & RGB_MASK;
}

QRgb screenPixel(const QImage& screen, QPoint at) {
    return screen.pixel(at) & RGB_MASK;
}

QImage screenshot() {
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
}

} // namespace

class LoginLookTest : public QObject {
    Q_OBJECT

    Desktop desktop_;
    PointerLog log_;
    std::unique_ptr<XTestPointer> pointer_;
    QImage artwork_;

    std::unique_ptr<TLogin> shapedLogin(const QString& title) {
        auto login = std::make_unique<TLogin>(nullptr, deadAddress());
        login->caption1 = title;
        login->dns = QStringLiteral("data:text/html,");
        login->loginp = QStringLiteral("<body style='background:white'></body>");
        login->shapeAndTitle();
        login->move(WindowAt);
        return login;
    }

    bool show(QWidget& window) {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }

    // Presses `button` at `from`, moves the pointer by `by` in two steps that the window sees
    // one after the other, and releases the button.
    void drag(QPoint from, QPoint by, int button) {
        pointer_->moveTo(from);
        pointer_->press(button);
        const int moves = log_.moves;
        pointer_->moveTo(from + by / 4);
        QTRY_VERIFY(log_.moves > moves);
        const int releases = log_.releases;
        pointer_->moveTo(from + by);
        pointer_->release(button);
        QTRY_VERIFY(log_.releases > releases);
    }

private slots:
    void initTestCase() {
        artwork_ = QImage(QStringLiteral(":/login_look/login_artwork.png"))
                       .convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!artwork_.isNull());
        pointer_ = std::make_unique<XTestPointer>();
        qApp->installEventFilter(&log_);
        QVERIFY(show(desktop_));
        // the login browser's status reports go to the main window, which stays hidden here
        Form1 = new tarvenne::ui::TForm1(deadAddress());
    }

    void cleanupTestCase() {
        delete Form1;
        Form1 = nullptr;
    }

    void shapedWindowIsFramelessFixedAndTitled() {
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QVERIFY(login->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!login->windowFlags().testFlag(Qt::WindowTitleHint));
        QCOMPARE(login->minimumSize(), QSize(1108, 529));
        QCOMPARE(login->maximumSize(), QSize(1108, 529));
        QCOMPARE(login->windowTitle(), QStringLiteral("Tarvenne"));
        QCOMPARE(login->cxLabel4->text(), QStringLiteral("Tarvenne"));
        QVERIFY(login->Edit1->isHidden());
    }

    void frameIsRemovedWithoutRecreatingTheNativeWindow() {
        TLogin login(nullptr, deadAddress());
        const WId native = login.winId();
        login.shapeAndTitle();
        QCOMPARE(login.winId(), native);
        QVERIFY(login.windowHandle()->flags().testFlag(Qt::FramelessWindowHint));
    }

    // The hotspot is seven spaces by one line of the window font, over the close mark.
    void hotspotLiesOverOpaqueArtwork() {
        auto login = shapedLogin(QString());
        const QFontMetrics metrics(login->font());
        const QRect hotspot = login->cxLabel1->geometry();
        QCOMPARE(hotspot,
                 QRect(1007, 33, metrics.horizontalAdvance(QString(7, u' ')), metrics.height()));
        for (int y = hotspot.top(); y <= hotspot.bottom(); ++y)
            for (int x = hotspot.left(); x <= hotspot.right(); ++x)
                QCOMPARE(qAlpha(artwork_.pixel(x, y)), 255);
    }

    // Over a desktop of a known colour: transparent artwork shows the desktop, opaque artwork
    // shows itself, the panel shows its bevel and the browser, the key colour is nowhere.
    void screenShowsArtworkDesktopAndBrowser_data() {
        QTest::addColumn<QString>("title");
        QTest::newRow("record title") << QStringLiteral("Tarvenne");
        QTest::newRow("title wider than the artwork")
            << QStringLiteral("Tarvenne: The Ashen Crown of the Northern Marches and Isles");
    }

    void screenShowsArtworkDesktopAndBrowser() {
        QFETCH(QString, title);
        auto login = shapedLogin(title);
        QVERIFY(show(*login));
        const QPoint origin = login->mapToGlobal(QPoint(0, 0));
        QImage screen;
        QTRY_VERIFY_WITH_TIMEOUT((screen = screenshot(),
                                  screenPixel(screen, origin + InTheBrowser) == opaque(Qt::white)),
                                 20000);

        const QRect panel = login->Panel1->geometry();
        const QRect titleLabel = login->cxLabel4->geometry();
        int glyphsOverAir = 0;
        for (int y = 0; y < 529; ++y)
            for (int x = 0; x < 1108; ++x) {
                const QPoint at(x, y);
                const QRgb shown = screenPixel(screen, origin + at);
                if (shown == opaque(KeyColour))
                    QFAIL(qPrintable(QStringLiteral("key colour shown at %1, %2").arg(x).arg(y)));
                if (panel.contains(at))
                    continue;
                const QRgb art = artwork_.pixel(at);
                if (titleLabel.contains(at)) {
                    glyphsOverAir += qAlpha(art) == 0 && shown != opaque(DesktopColour);
                    continue;
                }
                if (qAlpha(art) == 0 && shown != opaque(DesktopColour))
                    QFAIL(qPrintable(QStringLiteral("desktop hidden at %1, %2").arg(x).arg(y)));
                if (qAlpha(art) == 255 && shown != opaque(art))
                    QFAIL(qPrintable(QStringLiteral("artwork not shown at %1, %2").arg(x).arg(y)));
            }
        QCOMPARE(glyphsOverAir > 0, titleLabel.width() > 838);

        const QPalette colours = login->Panel1->palette();
        const QRgb light = opaque(colours.color(QPalette::Light));
        const QRgb dark = opaque(colours.color(QPalette::Dark));
        QCOMPARE(screenPixel(screen, origin + QPoint(600, panel.top())), light);
        QCOMPARE(screenPixel(screen, origin + QPoint(panel.left(), 300)), light);
        QCOMPARE(screenPixel(screen, origin + QPoint(600, panel.bottom())), dark);
        QCOMPARE(screenPixel(screen, origin + QPoint(panel.right(), 300)), dark);
    }

    void keyColouredPartsLetClicksThrough() {
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QVERIFY(show(*login));
        const QPoint origin = login->mapToGlobal(QPoint(0, 0));
        const int presses = desktop_.presses;

        const int releases = log_.releases;
        pointer_->moveTo(origin + OnArtwork);
        pointer_->press(Left);
        pointer_->release(Left);
        QTRY_VERIFY(log_.releases > releases);
        QCOMPARE(desktop_.presses, presses);

        pointer_->moveTo(origin + InTheAir);
        pointer_->press(Left);
        pointer_->release(Left);
        QTRY_COMPARE(desktop_.presses, presses + 1);
        QCOMPARE(login->pos(), WindowAt);
    }

    void dragging_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("left button on artwork") << OnArtwork << Left << true;
        QTest::newRow("right button on artwork") << OnArtwork << Right << false;
        QTest::newRow("left button on the title") << QPoint(651, 75) << Left << false;
        QTest::newRow("left button on the hotspot") << OnHotspot << Left << false;
    }

    void dragging() {
        QFETCH(QPoint, from);
        QFETCH(int, button);
        QFETCH(bool, moves);
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QVERIFY(show(*login));
        const QPoint start = login->pos();
        const QPoint by(80, 60);

        drag(login->mapToGlobal(from), by, button);

        if (moves)
            QTRY_COMPARE(login->pos(), start + by - by / 4);
        else
            QCOMPARE(login->pos(), start);
        QVERIFY(!Application::instance()->terminateRequested());
    }

    // Runs before the click below, which sends the terminate request for good.
    void hotspotPressReleasedOutsideDoesNotClose() {
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QVERIFY(show(*login));
        const QPoint hotspot = login->mapToGlobal(OnHotspot);
        const int releases = log_.releases;
        pointer_->moveTo(hotspot);
        pointer_->press(Left);
        pointer_->moveTo(hotspot + QPoint(0, 30));
        pointer_->release(Left);
        QTRY_VERIFY(log_.releases > releases);
        QVERIFY(!Application::instance()->terminateRequested());
        QVERIFY(login->isVisible());
    }

    void hotspotClickEndsTheModalRunWithCancel() {
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QTimer::singleShot(0, login.get(), [&] {
            if (!QTest::qWaitForWindowExposed(login.get()))
                return;
            pointer_->moveTo(login->mapToGlobal(OnHotspot));
            pointer_->press(Left);
            pointer_->release(Left);
        });
        // ends a run that the click did not end, so that a failure cannot hang the test
        QTimer::singleShot(20000, login.get(), [&] { login->setModalResult(ModalResult::Ok); });

        QCOMPARE(login->ShowModal(), int(ModalResult::Cancel));
        QVERIFY(Application::instance()->terminateRequested());
    }

    // A failed download leaves the window as designed: framed, resizable, "Login", the design
    // title, the button face where the artwork is transparent.
    void unshapedAfterFailedDownload() {
        TLogin login(nullptr, deadAddress());
        QVERIFY_THROWS_EXCEPTION(tarvenne::Error, login.FormCreate());

        QCOMPARE(login.windowTitle(), QStringLiteral("Login"));
        QVERIFY(!login.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(login.windowFlags().testFlag(Qt::WindowTitleHint));
        QVERIFY(login.windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
        QVERIFY(login.minimumSize() != login.maximumSize());
        QVERIFY(login.mask().isEmpty());
        QCOMPARE(login.cxLabel4->text(), QStringLiteral("Quillmere"));
        const QImage drawn = login.grab().toImage();
        QCOMPARE(drawn.pixel(InTheAir), login.palette().color(QPalette::Button).rgb());
    }
};

int main(int argc, char** argv) {
    Application::prepareStart();
    Application application(argv[0]);
    LoginLookTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "login_look_test.moc"
