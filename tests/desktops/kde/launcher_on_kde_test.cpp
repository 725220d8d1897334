// The launcher on KDE's compositor (run_on_kde): the shaped login window, the hand-off and the
// game in the main window, judged by KWin's own report of its windows and its screenshots,
// played with KWin's fake input pointer or with XTEST.
#include "fake_input_pointer.h"
#include "kwin_desktop.h"
#include "launcher_process.h"
#include "look/login_layout.h"
#include "test_site.h"
#include "x11_client.h"

#include <QImage>
#include <QTest>
#include <optional>

using namespace tarvenne::ui::test;

namespace {

constexpr int timeout = 60000;
const QString title = QStringLiteral("Tarvenne Online");
constexpr QSize screenSize{1920, 1080};

namespace layout = tarvenne::ui::login_layout;

// Places in the login window: a point on opaque artwork (the emblem's jade) and one in the air
// above the wing, where the artwork is transparent.
constexpr QPoint onArtwork{192, 300};
constexpr QPoint inTheAir{60, 40};

enum class Input { FakeInput, XTest };

// The player's mouse: KWin's fake input device, or the X server's XTEST extension.
class PlayerPointer {
public:
    explicit PlayerPointer(Input input) {
        if (input == Input::FakeInput)
            fakeInput_.emplace();
        else
            xtest_.emplace();
    }

    void moveTo(QPoint desktopPosition) {
        if (fakeInput_)
            fakeInput_->moveTo(desktopPosition);
        else
            xtest_->movePointer(desktopPosition);
    }

    void clickLeftButton() {
        if (fakeInput_)
            fakeInput_->clickLeftButton();
        else
            xtest_->clickLeftButton();
    }

private:
    std::optional<FakeInputPointer> fakeInput_;
    std::optional<X11Client> xtest_;
};

bool onWayland() {
    return qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}

QRgb artworkPixel(QPoint at) {
    static const QImage artwork =
        QImage(QStringLiteral(TARVENNE_LOGIN_ARTWORK)).convertToFormat(QImage::Format_RGB32);
    return artwork.pixel(at) & RGB_MASK;
}

QRgb shownAt(const QImage& screen, QPoint at) {
    return screen.pixel(at) & RGB_MASK;
}

} // namespace

Q_DECLARE_METATYPE(Input)

class LauncherOnKdeTest : public QObject {
    Q_OBJECT

private slots:
    void shapedLoginThenGameInTheMaximisedMainWindow_data();
    void shapedLoginThenGameInTheMaximisedMainWindow();
};

void LauncherOnKdeTest::shapedLoginThenGameInTheMaximisedMainWindow_data() {
    QTest::addColumn<QString>("platform");
    QTest::addColumn<Input>("input");
    if (onWayland()) {
        QTest::newRow("native Wayland window, fake input") << "wayland" << Input::FakeInput;
        QTest::newRow("Xwayland window, fake input") << "xcb" << Input::FakeInput;
        QTest::newRow("Xwayland window, XTEST") << "xcb" << Input::XTest;
    } else {
        QTest::newRow("X window, XTEST") << "xcb" << Input::XTest;
    }
}

// The desktop shows through the artwork's transparent parts; the hand-off opens the main window,
// which KWin maximises into the work area with its title bar; KWin's close request ends the
// launcher.
void LauncherOnKdeTest::shapedLoginThenGameInTheMaximisedMainWindow() {
    QFETCH(QString, platform);
    QFETCH(Input, input);
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, title));
    KWinDesktop desktop;
    QImage screen = desktop.screenshot();
    QCOMPARE(screen.size(), screenSize);
    const QRgb desktopColour = shownAt(screen, QPoint(screenSize.width() / 2, 20));
    // Made before the launcher starts, which then finds a pointer on the desktop's seat.
    PlayerPointer pointer(input);
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    LauncherProcess launcher(QStringLiteral(TARVENNE_UNDER_TEST), directory.updateDocumentAddress(),
                             environment);

    std::optional<KWinWindow> login;
    QTRY_VERIFY_WITH_TIMEOUT((login = desktop.window(launcher.pid(), title)), timeout);
    QCOMPARE(login->x11Window != 0, platform == QLatin1String("xcb"));
    QCOMPARE(login->contents.size(), layout::windowSize);
    QCOMPARE(login->frame, login->contents);
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), timeout);
    const QPoint origin = login->contents.topLeft();
    QTRY_COMPARE_WITH_TIMEOUT((screen = desktop.screenshot(), shownAt(screen, origin + onArtwork)),
                              artworkPixel(onArtwork), timeout);
    QCOMPARE(shownAt(screen, origin + inTheAir), desktopColour);

    const QPoint link =
        origin + layout::browserArea.topLeft() + TestSite::link(QStringLiteral("handoff")).centre;
    pointer.moveTo(link - QPoint(5, 5));
    pointer.moveTo(link);
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/hovered")), timeout);
    pointer.clickLeftButton();

    std::optional<KWinWindow> main;
    const auto mainWindowUp = [&] {
        main = desktop.window(launcher.pid(), title);
        return main && main->id != login->id;
    };
    QTRY_VERIFY_WITH_TIMEOUT(mainWindowUp(), timeout);
    QTRY_VERIFY_WITH_TIMEOUT(
        mainWindowUp() && main->maximizedHorizontally && main->maximizedVertically, timeout);
    QCOMPARE(main->x11Window != 0, platform == QLatin1String("xcb"));
    QVERIFY(!main->fullScreen);
    QCOMPARE(main->frame, main->workArea);
    // KWin's title bar over the contents.
    QVERIFY(main->contents.top() > main->frame.top());
    QCOMPARE(main->contents.bottom(), main->frame.bottom());
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted/Game")), timeout);

    desktop.requestClose(*main);
    QVERIFY(launcher.endsWithStatusZero(timeout));
    QVERIFY(launcher.boxes().isEmpty());
}

QTEST_GUILESS_MAIN(LauncherOnKdeTest)
#include "launcher_on_kde_test.moc"
