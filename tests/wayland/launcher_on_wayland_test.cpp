// The launcher on a Wayland desktop (headless sway), natively and as an X client of the
// compositor's X server: the shaped login window, the hand-off and the game in the main
// window, judged by the compositor's window list and screenshots, with a virtual pointer.
#include "launcher_process.h"
#include "look/login_layout.h"
#include "shown_pixels.h"
#include "sway_desktop.h"
#include "test_site.h"
#include "wayland_pointer.h"

#include <QImage>
#include <QTest>
#include <optional>

using namespace tarvenne::ui::test;

namespace {

constexpr int timeout = 60000;
const QString title = QStringLiteral("Tarvenne Online");

namespace layout = tarvenne::ui::login_layout;

// Places in the login window: a point on opaque artwork (the emblem's jade) and one in the air
// above the wing, where the artwork is transparent.
constexpr QPoint onArtwork{192, 300};
constexpr QPoint inTheAir{60, 40};

QString underTest() {
    return QStringLiteral(TARVENNE_UNDER_TEST);
}

} // namespace

class LauncherOnWaylandTest : public QObject {
    Q_OBJECT

private slots:
    void shapedLoginThenGameInTheMainWindow_data();
    void shapedLoginThenGameInTheMainWindow();
};

void LauncherOnWaylandTest::shapedLoginThenGameInTheMainWindow_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("shell");
    // As the session starts programs: the compositor draws window frames, so the launcher stays
    // native.
    QTest::newRow("native Wayland window") << ""
                                           << "xdg_shell";
    QTest::newRow("X window of the compositor's X server") << "xcb"
                                                           << "xwayland";
}

// The desktop shows through the artwork's transparent parts; Play hands the game to the main
// window, which fills the desktop while the launcher goes on; closing it ends the launcher.
void LauncherOnWaylandTest::shapedLoginThenGameInTheMainWindow() {
    QFETCH(QString, platform);
    QFETCH(QString, shell);
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, title));
    SwayDesktop desktop;
    const QRect output = desktop.output();
    const QRgb desktopColour = shownAt(desktop.screenshot(), output.center());
    // Made before the launcher starts, which then finds a pointer on the desktop's seat.
    WaylandPointer pointer(output.size());
    QProcessEnvironment environment;
    QStringList unset;
    if (platform.isEmpty()) {
        environment.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        unset.append(QStringLiteral("QT_QPA_PLATFORM"));
    } else {
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    }
    LauncherProcess launcher(underTest(), directory.updateDocumentAddress(), environment, unset);

    std::optional<DesktopWindow> login;
    QTRY_VERIFY_WITH_TIMEOUT((login = desktop.window(launcher.pid(), title)), timeout);
    QCOMPARE(login->shell, shell);
    QCOMPARE(login->rect.size(), layout::windowSize);
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), timeout);
    const QPoint origin = login->rect.topLeft();
    QImage screen;
    QTRY_COMPARE_WITH_TIMEOUT((screen = desktop.screenshot(), shownAt(screen, origin + onArtwork)),
                              loginArtworkPixel(onArtwork), timeout);
    QCOMPARE(shownAt(screen, origin + inTheAir), desktopColour);

    // Into the window, then onto the link: the page sees the pointer move over the link.
    const QPoint link =
        origin + layout::browserArea.topLeft() + TestSite::link(QStringLiteral("handoff")).centre;
    pointer.moveTo(link - QPoint(5, 5));
    pointer.moveTo(link);
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/hovered")), timeout);
    pointer.clickLeftButton();

    std::optional<DesktopWindow> main;
    const auto mainWindowUp = [&] {
        main = desktop.window(launcher.pid(), title);
        return main && main->id != login->id;
    };
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowUp(), timeout);
    QCOMPARE(main->shell, shell);
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted/Game")), timeout);
    // sway tiles an ordinary window, which then fills the output as a maximised one would.
    QVERIFY(!main->floating);
    QCOMPARE(main->rect, output);
    // The login window is gone: where its artwork was, the game page shows its white ground.
    QTRY_COMPARE_WITH_TIMEOUT(shownAt(desktop.screenshot(), origin + onArtwork),
                              qRgb(255, 255, 255) & RGB_MASK, timeout);

    desktop.requestClose(*main);
    QVERIFY(launcher.endsWithStatusZero(timeout));
    QVERIFY(launcher.boxes().isEmpty());
}

QTEST_GUILESS_MAIN(LauncherOnWaylandTest)
#include "launcher_on_wayland_test.moc"
