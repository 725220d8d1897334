// The login window's look on a real X desktop with a window manager: the shaped window over a
// plain desktop, the pointer driven through the X server, what the window manager offers, and
// the unshaped window after a failed download.

#include "browser/guarded_page.h"
#include "launcher_fixture.h"
#include "login_window/login_window.h"
#include "look/login_layout.h"
#include "look/transparent_label.h"
#include "ui_test_main.h"
#include "x11_client.h"

#include <QCoreApplication>
#include <QFrame>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdint>
#include <directory/game_record.h>
#include <memory>
#include <optional>

using tarvenne::directory::GameRecord;
using tarvenne::ui::LoginWindow;
using tarvenne::ui::TransparentLabel;
using tarvenne::ui::test::control;
using tarvenne::ui::test::LauncherFixture;
using tarvenne::ui::test::X11Client;
namespace layout = tarvenne::ui::login_layout;

namespace {

const QColor DesktopColour(40, 70, 150);
const QPoint WindowAt(150, 120);
// Points of the layout: on the emblem's jade (opaque artwork), in the air above the wing
// (transparent artwork), inside the browser, on the close hotspot.
const QPoint OnArtwork(192, 300);
const QPoint InTheAir(60, 40);
const QPoint InTheBrowser(680, 300);
const QPoint OnHotspot = layout::closeSpot + QPoint(9, 6);
constexpr int Left = 1;
constexpr int Right = 3;

// The desktop behind the window: one plain colour over the whole screen, kept below the other
// windows, counting the presses that reach it.
class Desktop : public QWidget {
public:
    Desktop() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnBottomHint) {
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

// Counts the changes of a window's state to minimised, maximised or full screen.
class StateChanges : public QObject {
public:
    explicit StateChanges(QWidget& window) : window_(window) { window.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        constexpr Qt::WindowStates changed =
            Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;
        count += event->type() == QEvent::WindowStateChange && (window_.windowState() & changed);
        return false;
    }

private:
    QWidget& window_;
};

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
    std::unique_ptr<LauncherFixture> launcher_;
    std::unique_ptr<X11Client> display_;
    QImage artwork_;

    std::unique_ptr<LoginWindow> unshapedLogin() {
        return std::make_unique<LoginWindow>(launcher_->mainWindow().gamePage());
    }

    std::unique_ptr<LoginWindow> shapedLogin(const QString& title) {
        auto login = unshapedLogin();
        login->takeGameRecord(GameRecord{u"Tarvenne", u"data:text/html,",
                                         u"<body style='background:white'></body>",
                                         title.toStdU16String()});
        login->move(WindowAt);
        return login;
    }

    bool show(QWidget& window) {
        window.show();
        return QTest::qWaitForWindowExposed(&window);
    }

    // The login window as the X server holds it, found by its title.
    std::uint32_t shownWindow(const QString& title) {
        std::optional<std::uint32_t> window;
        const bool found = QTest::qWaitFor(
            [&] {
                return bool(
                    window = display_->viewableWindow(QCoreApplication::applicationPid(), title));
            },
            10000);
        return found ? *window : 0;
    }

    // Presses `button` at `from`, moves the pointer by `by`, first a quarter of the way, which
    // the window sees, then to the end, and releases the button. Where the window moves, the
    // pointer reaches the end only once the window has started to follow it, and the drag is
    // over once the release has ended the move.
    void drag(std::uint32_t window, QPoint from, QPoint by, int button, bool moves) {
        const QPoint start = display_->geometry(window).topLeft();
        display_->movePointer(from);
        display_->pressButton(button);
        const int seen = log_.moves;
        display_->movePointer(from + by / 4);
        QTRY_VERIFY(log_.moves > seen);
        if (moves) {
            // the window manager takes the pointer over in its own time
            int nudge = 0;
            QTRY_VERIFY((display_->movePointer(from + by + QPoint(nudge ^= 1, 0)),
                         display_->geometry(window).topLeft() != start));
        }
        const int releases = log_.releases;
        display_->movePointer(from + by);
        display_->releaseButton(button);
        if (moves) {
            // The window manager's move ends when it handles the release and lets the pointer
            // go. Until then it moves the window to the last pointer position it has queued,
            // one from after the release included.
            QTRY_VERIFY(!display_->isPointerGrabbed());
        } else {
            QTRY_VERIFY(log_.releases > releases);
        }
    }

private slots:
    void initTestCase() {
        artwork_ = QImage(QStringLiteral(":/look/login_artwork.png"))
                       .convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!artwork_.isNull());
        display_ = std::make_unique<X11Client>();
        qApp->installEventFilter(&log_);
        QVERIFY(show(desktop_));
        launcher_ = std::make_unique<LauncherFixture>();
    }

    void cleanupTestCase() { launcher_.reset(); }

    void shapedWindowIsFramelessFixedAndTitled() {
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QVERIFY(login->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!login->windowFlags().testFlag(Qt::WindowTitleHint));
        QCOMPARE(login->minimumSize(), layout::windowSize);
        QCOMPARE(login->maximumSize(), layout::windowSize);
        QCOMPARE(login->windowTitle(), QStringLiteral("Tarvenne"));
        QCOMPARE(control<TransparentLabel>(*login, QStringLiteral("titleLabel")).text(),
                 QStringLiteral("Tarvenne"));
    }

    void frameIsRemovedWithoutRecreatingTheNativeWindow() {
        auto login = unshapedLogin();
        const WId native = login->winId();
        login->takeGameRecord(GameRecord{});
        QCOMPARE(login->winId(), native);
        QVERIFY(login->windowHandle()->flags().testFlag(Qt::FramelessWindowHint));
    }

    // The hotspot is seven spaces by one line of the window font, over the close mark.
    void hotspotLiesOverOpaqueArtwork() {
        auto login = shapedLogin(QString());
        const QFontMetrics metrics(login->font());
        const QRect hotspot =
            control<TransparentLabel>(*login, QStringLiteral("closeSpot")).geometry();
        QCOMPARE(hotspot,
                 QRect(layout::closeSpot,
                       QSize(metrics.horizontalAdvance(QString(7, u' ')), metrics.height())));
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

        const QRect panel = layout::browserPanel;
        const QRect titleLabel =
            control<TransparentLabel>(*login, QStringLiteral("titleLabel")).geometry();
        int glyphsOverAir = 0;
        for (int y = 0; y < layout::windowSize.height(); ++y)
            for (int x = 0; x < layout::windowSize.width(); ++x) {
                const QPoint at(x, y);
                const QRgb shown = screenPixel(screen, origin + at);
                if (shown == opaque(layout::keyColour))
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

        const QPalette colours = control<QFrame>(*login, QStringLiteral("browserPanel")).palette();
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
        display_->movePointer(origin + OnArtwork);
        display_->pressButton(Left);
        display_->releaseButton(Left);
        QTRY_VERIFY(log_.releases > releases);
        QCOMPARE(desktop_.presses, presses);

        display_->movePointer(origin + InTheAir);
        display_->pressButton(Left);
        display_->releaseButton(Left);
        QTRY_COMPARE(desktop_.presses, presses + 1);
        QCOMPARE(login->pos(), WindowAt);
    }

    void dragging_data() {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("moves");
        QTest::newRow("left button on the artwork") << OnArtwork << Left << true;
        QTest::newRow("right button on the artwork") << OnArtwork << Right << false;
        QTest::newRow("left button on the title")
            << QPoint(layout::titleCentreX, 75) << Left << false;
        QTest::newRow("left button on the hotspot") << OnHotspot << Left << false;
    }

    // The window follows the pointer from the press on the artwork until the release, and then
    // stays where it is while the pointer moves on.
    void dragging() {
        QFETCH(QPoint, from);
        QFETCH(int, button);
        QFETCH(bool, moves);
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QVERIFY(show(*login));
        const std::uint32_t window = shownWindow(QStringLiteral("Tarvenne"));
        QVERIFY(window);
        const QPoint start = display_->geometry(window).topLeft();
        const QPoint by(80, 60);

        drag(window, start + from, by, button, moves);

        const QPoint end = moves ? start + by - by / 4 : start;
        QTRY_COMPARE(display_->geometry(window).topLeft(), end);
        // Each move reaches the launcher, which would start a move of the window manager again
        // if it took the button for still held; the window manager would then move the window
        // on the next one and keep the pointer from the launcher.
        for (const QPoint further : {QPoint(40, 30), QPoint(-30, 50)}) {
            const int seen = log_.moves;
            int nudge = 0;
            QTRY_VERIFY((display_->movePointer(start + from + by + further + QPoint(nudge ^= 1, 0)),
                         log_.moves > seen));
            QCOMPARE(display_->geometry(window).topLeft(), end);
        }
        QVERIFY(login->isVisible());
    }

    // What the window manager lets the player do: with the shaped window only move and close
    // it; with the window left unshaped by a failed download everything a framed window offers.
    void windowManagerActions_data() {
        QTest::addColumn<bool>("shaped");
        QTest::addColumn<QStringList>("offered");
        QTest::addColumn<QStringList>("withheld");
        // openbox offers to minimise and to fill the screen with every ordinary window, whatever
        // the window asks for; what then happens is below
        QTest::newRow("shaped") << true << QStringList{"MOVE", "CLOSE"}
                                << QStringList{"RESIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT", "SHADE"};
        QTest::newRow("unshaped") << false
                                  << QStringList{"MOVE",     "CLOSE",         "RESIZE",
                                                 "MINIMIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT"}
                                  << QStringList{};
    }

    void windowManagerActions() {
        QFETCH(bool, shaped);
        QFETCH(QStringList, offered);
        QFETCH(QStringList, withheld);
        auto login = shaped ? shapedLogin(QStringLiteral("Tarvenne")) : unshapedLogin();
        QVERIFY(show(*login));
        const std::uint32_t window =
            shownWindow(shaped ? QStringLiteral("Tarvenne") : QStringLiteral("Login"));
        QVERIFY(window);

        QStringList actions;
        QTRY_VERIFY(!(actions = display_->allowedActions(window)).isEmpty());
        for (const QString& action : offered)
            QVERIFY2(actions.contains(action), qPrintable(actions.join(' ')));
        for (const QString& action : withheld)
            QVERIFY2(!actions.contains(action), qPrintable(actions.join(' ')));
    }

    // Where the window manager minimises the shaped window or makes it fill the screen all the
    // same (from its window menu or a key), the window comes back as it was.
    void shapedWindowComesBack_data() {
        QTest::addColumn<QString>("request");
        QTest::newRow("minimise") << QStringLiteral("MINIMIZE");
        QTest::newRow("full screen") << QStringLiteral("FULLSCREEN");
    }

    void shapedWindowComesBack() {
        QFETCH(QString, request);
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QVERIFY(show(*login));
        const std::uint32_t window = shownWindow(QStringLiteral("Tarvenne"));
        QVERIFY(window);
        QTRY_VERIFY(!display_->allowedActions(window).isEmpty());
        const QRect placed = display_->geometry(window);
        StateChanges changes(*login);

        if (request == QLatin1String("MINIMIZE"))
            display_->requestMinimise(window);
        else
            display_->requestState(window, request);

        QTRY_VERIFY(changes.count > 0);
        // the login window runs modal: that mark is all the state it keeps
        const auto otherThanModal = [&] {
            QStringList state = display_->state(window);
            state.removeAll(QStringLiteral("MODAL"));
            return state;
        };
        QTRY_VERIFY(display_->isViewable(window) && otherThanModal().isEmpty() &&
                    display_->geometry(window) == placed);
    }

    void hotspotPressReleasedOutsideDoesNotClose() {
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QVERIFY(show(*login));
        const QPoint hotspot = login->mapToGlobal(OnHotspot);
        const int releases = log_.releases;
        display_->movePointer(hotspot);
        display_->pressButton(Left);
        display_->movePointer(hotspot + QPoint(0, 30));
        display_->releaseButton(Left);
        QTRY_VERIFY(log_.releases > releases);
        QCoreApplication::processEvents();
        QVERIFY(login->isVisible());
    }

    void hotspotClickEndsTheModalRunWithCancel() {
        auto login = shapedLogin(QStringLiteral("Tarvenne"));
        QTimer::singleShot(0, login.get(), [&] {
            if (!QTest::qWaitForWindowExposed(login.get()))
                return;
            display_->movePointer(login->mapToGlobal(OnHotspot));
            display_->pressButton(Left);
            display_->releaseButton(Left);
        });
        // ends a run that the click did not end, so that a failure cannot hang the test
        QTimer::singleShot(20000, login.get(), [&] { login->accept(); });

        QCOMPARE(login->exec(), int(QDialog::Rejected));
    }

    // Until it takes a record (when the download fails), the window stays as designed: framed,
    // resizable, "Login", the design title, the button face where the artwork is transparent.
    void unshapedWithoutARecord() {
        auto login = unshapedLogin();

        QCOMPARE(login->windowTitle(), QStringLiteral("Login"));
        QVERIFY(!login->windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(login->windowFlags().testFlag(Qt::WindowTitleHint));
        QVERIFY(login->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint));
        QVERIFY(login->minimumSize() != login->maximumSize());
        QVERIFY(login->mask().isEmpty());
        QCOMPARE(control<TransparentLabel>(*login, QStringLiteral("titleLabel")).text(),
                 QStringLiteral("Quillmere"));
        const QImage drawn = login->grab().toImage();
        QCOMPARE(drawn.pixel(InTheAir), login->palette().color(QPalette::Button).rgb());
    }
};

TARVENNE_UI_TEST_MAIN(LoginLookTest)
#include "login_look_test.moc"
