// The launcher on the desktops that most players use, GNOME's and KDE's, on Wayland and on X11,
// as a player sees it: the shaped login window centred, without a frame or its key colour, moved
// by its artwork and closed by its close spot; the hand-off into a main window that the desktop
// maximises and frames as its own, the game's pixels reaching the window's edges; the desktop's
// close request ending the launcher. Judged by the desktop's own reports and its screen.
#include "gnome/mutter_remote_desktop.h"
#include "kde/kwin_wayland_desktop.h"
#include "launcher_process.h"
#include "look/login_layout.h"
#include "shown_desktop.h"
#include "shown_pixels.h"
#include "test_site.h"
#include "x_window_manager_desktop.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScopeGuard>
#include <QTest>
#include <memory>
#include <optional>

using namespace tarvenne::ui::test;
namespace layout = tarvenne::ui::login_layout;

namespace {

constexpr int timeout = 60000;
const QString title = QStringLiteral("Tarvenne Online");

// Places in the login window: a point on opaque artwork (the emblem's jade), one in the air
// above the wing, where the artwork is transparent, and one of the close spot.
constexpr QPoint onArtwork{192, 300};
constexpr QPoint inTheAir{60, 40};
constexpr QPoint onCloseSpot = layout::closeSpot + QPoint(3, 6);

QString underTest() {
    return QStringLiteral(TARVENNE_UNDER_TEST);
}

// The points of `area` on `screen` that show `colour`.
int pixelsOf(const QImage& screen, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += shownAt(screen, {x, y}) == (colour & RGB_MASK);
    }
    return count;
}

// Where a border drawn by the window itself would stand in its contents: the outermost columns
// from the middle down (the game page's text stands at its top left) and the bottom row.
QList<QRect> innerEdges(const QRect& contents) {
    const int half = contents.height() / 2;
    return {QRect(contents.left(), contents.bottom() - half, 1, half),
            QRect(contents.right(), contents.bottom() - half, 1, half),
            QRect(contents.left(), contents.bottom(), contents.width(), 1)};
}

// How the launcher is started on the desktop, and the kind of window the desktop shows for it.
struct LauncherStart {
    // QT_QPA_PLATFORM; empty where the launcher is started as the desktop's session starts
    // programs, and picks the window system itself.
    QString platform;
    bool onXServer = true;
};

QProcessEnvironment environmentFor(const LauncherStart& start) {
    QProcessEnvironment environment;
    if (!start.platform.isEmpty())
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), start.platform);
    return environment;
}

QStringList unsetFor(const LauncherStart& start) {
    if (start.platform.isEmpty())
        return {QStringLiteral("QT_QPA_PLATFORM")};
    return {};
}

// The desktop in the environment, with its window manager's or compositor's reports, screen and
// pointer for the launcher's windows.
std::unique_ptr<ShownDesktop> desktopShowing(const LauncherStart& start) {
    if (qgetenv("XDG_SESSION_TYPE") == "x11")
        return std::make_unique<XWindowManagerDesktop>();
    if (qgetenv("XDG_CURRENT_DESKTOP") == "GNOME")
        return std::make_unique<XWindowManagerDesktop>(std::make_unique<MutterRemoteDesktop>());
    return std::make_unique<KWinWaylandDesktop>(start.onXServer);
}

// Moves the pointer to `screenPosition`, coming from a pixel beside it, and presses the left
// button there once the windows' side of the desktop has seen the pointer arrive.
void pressLeftButtonAt(ShownDesktop& desktop, QPoint screenPosition) {
    for (const QPoint at : {screenPosition + QPoint(1, 0), screenPosition}) {
        desktop.movePointer(at);
        QTRY_VERIFY_WITH_TIMEOUT(desktop.hasSeenPointer(at, false), timeout);
    }
    desktop.pressLeftButton();
}

// Signs in as a player does: points at the login page's hand-off link once the page is on the
// screen, and clicks it.
void handOff(ShownDesktop& desktop, const TestSite& site, const ShownWindow& login) {
    const QPoint link = login.contents.topLeft() + layout::browserArea.topLeft() +
                        TestSite::link(QStringLiteral("handoff")).centre;
    desktop.movePointer(link - QPoint(5, 5));
    QTRY_VERIFY_WITH_TIMEOUT((desktop.movePointer(link), site.answered(QStringLiteral("/hovered"))),
                             timeout);
    pressLeftButtonAt(desktop, link);
    desktop.releaseLeftButton();
}

// One start of the launcher on the desktop in the environment, against a site of its own.
struct LauncherRun {
    explicit LauncherRun(const LauncherStart& start)
        : desktop(desktopShowing(start)), directory(updateDocumentFor(site, title)),
          launcher(underTest(), directory.updateDocumentAddress(), environmentFor(start),
                   unsetFor(start)) {}

    // The login window once the desktop shows it and its page is painted.
    std::optional<ShownWindow> paintedLogin() const {
        std::optional<ShownWindow> login;
        if (!QTest::qWaitFor([&] { return bool(login = desktop->window(launcher.pid(), title)); },
                             timeout) ||
            !QTest::qWaitFor([&] { return site.answered(QStringLiteral("/painted")); }, timeout))
            return std::nullopt;
        return login;
    }

    std::unique_ptr<ShownDesktop> desktop;
    TestSite site;
    DirectoryServer directory;
    LauncherProcess launcher;
};

} // namespace

Q_DECLARE_METATYPE(LauncherStart)

class LauncherOnDesktopsTest : public QObject {
    Q_OBJECT

private:
    void addStarts();

private slots:
    void loginWindowThenGameInTheMainWindow_data() { addStarts(); }
    void loginWindowThenGameInTheMainWindow();
    void loginWindowMovesByItsArtwork_data() { addStarts(); }
    void loginWindowMovesByItsArtwork();
    void closeSpotEndsTheLauncher_data() { addStarts(); }
    void closeSpotEndsTheLauncher();
    void scaledGnomeScreenKeepsNativeWindows();
};

// On every desktop the launcher as the session starts it; on Wayland desktops also on the
// compositor's X server when asked to, the choice players make where a native window fails them.
void LauncherOnDesktopsTest::addStarts() {
    QTest::addColumn<LauncherStart>("start");
    if (qgetenv("XDG_SESSION_TYPE") == "x11") {
        QTest::newRow("X11") << LauncherStart{};
    } else if (qgetenv("XDG_CURRENT_DESKTOP") == "GNOME") {
        // GNOME's compositor draws no frames around native windows: the launcher goes to its X
        // server, whose windows it frames.
        QTest::newRow("Wayland session") << LauncherStart{};
        QTest::newRow("asked for the X server") << LauncherStart{QStringLiteral("xcb")};
    } else {
        QTest::newRow("Wayland session, native") << LauncherStart{{}, false};
        QTest::newRow("asked for the X server") << LauncherStart{QStringLiteral("xcb")};
    }
}

// The login window centred, frameless, the desktop showing through the artwork's transparent
// parts and no trace of its key colour; Play hands the game to a main window that the desktop
// maximises and frames as its own; its close request ends the launcher.
void LauncherOnDesktopsTest::loginWindowThenGameInTheMainWindow() {
    QFETCH(LauncherStart, start);
    LauncherRun run(start);
    ShownDesktop& desktop = *run.desktop;
    const QRect workArea = desktop.workArea();
    const std::optional<ShownWindow> login = run.paintedLogin();
    QVERIFY(login);
    QCOMPARE(login->onXServer, start.onXServer);
    QCOMPARE(login->contents.size(), layout::windowSize);
    QCOMPARE(login->frame, login->contents);
    QVERIFY2((login->contents.center() - workArea.center()).manhattanLength() <= 2,
             qPrintable(QStringLiteral("login window at %1,%2 in a work area centred at %3,%4")
                            .arg(login->contents.x())
                            .arg(login->contents.y())
                            .arg(workArea.center().x())
                            .arg(workArea.center().y())));
    const QPoint origin = login->contents.topLeft();
    QImage screen;
    QTRY_COMPARE_WITH_TIMEOUT((screen = desktop.screenshot(), shownAt(screen, origin + onArtwork)),
                              loginArtworkPixel(onArtwork), timeout);
    QCOMPARE(pixelsOf(screen, login->contents, layout::keyColour), 0);

    handOff(desktop, run.site, *login);
    std::optional<ShownWindow> main;
    const auto mainWindowUp = [&] {
        main = desktop.window(run.launcher.pid(), title);
        return main && main->id != login->id && main->maximised;
    };
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowUp(), timeout);
    QCOMPARE(main->onXServer, start.onXServer);
    QTRY_VERIFY_WITH_TIMEOUT(run.site.answered(QStringLiteral("/painted/Game")), timeout);
    // Maximised and framed by the desktop: its title bar above the game, nothing beside or
    // below it.
    QCOMPARE(main->frame, workArea);
    QVERIFY(main->contents.top() > main->frame.top());
    QCOMPARE(main->contents.left(), main->frame.left());
    QCOMPARE(main->contents.right(), main->frame.right());
    QCOMPARE(main->contents.bottom(), main->frame.bottom());
    // The game's white ground reaches the window's edges, where the login window's artwork was.
    const QPoint wasArtwork = origin + onArtwork - main->contents.topLeft();
    const auto whiteToTheEdges = [&] {
        const QImage shown = desktop.contentsOf(*main);
        if (shownAt(shown, wasArtwork) != (qRgb(255, 255, 255) & RGB_MASK))
            return false;
        for (const QRect& edge : innerEdges(shown.rect())) {
            if (pixelsOf(shown, edge, qRgb(255, 255, 255)) != edge.width() * edge.height())
                return false;
        }
        return true;
    };
    QTRY_VERIFY_WITH_TIMEOUT(whiteToTheEdges(), timeout);

    desktop.requestClose(*main);
    QVERIFY(run.launcher.endsWithStatusZero(timeout));
    QVERIFY(run.launcher.boxes().isEmpty());
}

// Dragged by its artwork, the login window follows the pointer from where the desktop's move
// began, at the pointer's first step with the button held; where the window was, the desktop
// shows what it showed through the artwork's transparent parts. The desktop's close request
// ends the launcher.
void LauncherOnDesktopsTest::loginWindowMovesByItsArtwork() {
    QFETCH(LauncherStart, start);
    LauncherRun run(start);
    ShownDesktop& desktop = *run.desktop;
    const std::optional<ShownWindow> login = run.paintedLogin();
    QVERIFY(login);
    const QPoint origin = login->contents.topLeft();
    QImage screen;
    QTRY_COMPARE_WITH_TIMEOUT((screen = desktop.screenshot(), shownAt(screen, origin + onArtwork)),
                              loginArtworkPixel(onArtwork), timeout);
    const QRgb seenThroughTheAir = shownAt(screen, origin + inTheAir);

    const QPoint grip = origin + onArtwork;
    const QPoint firstStep(2, 1);
    const QPoint by(-160, 90);
    const auto movedBy = [&] {
        return desktop.window(run.launcher.pid(), title)->contents.topLeft() - origin;
    };
    pressLeftButtonAt(desktop, grip);
    QTRY_VERIFY_WITH_TIMEOUT(desktop.hasSeenPointer(grip, true), timeout);
    // The desktop takes the pointer over in its own time, from where the pointer is then: a nudge
    // of a pixel shows when.
    int nudge = 0;
    QTRY_VERIFY_WITH_TIMEOUT(
        (desktop.movePointer(grip + firstStep + QPoint(nudge ^= 1, 0)), movedBy() != QPoint()),
        timeout);
    desktop.movePointer(grip + by);
    QTRY_VERIFY_WITH_TIMEOUT((movedBy() - (by - firstStep)).manhattanLength() <= 2, timeout);
    desktop.releaseLeftButton();
    QTRY_COMPARE_WITH_TIMEOUT(shownAt(desktop.screenshot(), origin + inTheAir), seenThroughTheAir,
                              timeout);

    desktop.requestClose(*desktop.window(run.launcher.pid(), title));
    QVERIFY(run.launcher.endsWithStatusZero(timeout));
    QVERIFY(run.launcher.boxes().isEmpty());
}

void LauncherOnDesktopsTest::closeSpotEndsTheLauncher() {
    QFETCH(LauncherStart, start);
    LauncherRun run(start);
    const std::optional<ShownWindow> login = run.paintedLogin();
    QVERIFY(login);
    pressLeftButtonAt(*run.desktop, login->contents.topLeft() + onCloseSpot);
    run.desktop->releaseLeftButton();
    QVERIFY(run.launcher.endsWithStatusZero(timeout));
    QVERIFY(run.launcher.boxes().isEmpty());
}

// On a scaled screen GNOME's compositor would enlarge the pixels of its X server's windows: there
// the launcher keeps its windows native and sharp, in the toolkit's frame.
void LauncherOnDesktopsTest::scaledGnomeScreenKeepsNativeWindows() {
    if (qgetenv("XDG_CURRENT_DESKTOP") != "GNOME" || qgetenv("XDG_SESSION_TYPE") != "wayland")
        QSKIP("a case of GNOME's compositor on Wayland");
    const QString scaleMonitor = QStringLiteral(TARVENNE_GNOME_SCALE_MONITOR);
    QCOMPARE(QProcess::execute(scaleMonitor, {QStringLiteral("2")}), 0);
    const auto unscale =
        qScopeGuard([&] { QProcess::execute(scaleMonitor, {QStringLiteral("1")}); });
    LauncherRun run(LauncherStart{});
    QTRY_VERIFY_WITH_TIMEOUT(run.site.answered(QStringLiteral("/painted")), timeout);
    QVERIFY(X11Client().viewableWindows(run.launcher.pid()).isEmpty());
}

QTEST_GUILESS_MAIN(LauncherOnDesktopsTest)
#include "launcher_on_desktops_test.moc"
