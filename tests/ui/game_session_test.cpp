// A game session against the real launcher on an X desktop under openbox, played as a player
// would: a page whose renderer is killed comes back (and a page that keeps dying does not loop),
// the context menu holds only what works, the game takes full screen and the pointer on the
// player's click and gives them back on Escape, a refused click is named in a notice, and the
// player's choice to stop a page's dialogs lasts for that page only.
#include "launcher_process.h"
#include "look/login_layout.h"
#include "loopback_server.h"
#include "reporting_page.h"
#include "x11_client.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <csignal>
#include <optional>

using namespace tarvenne::ui::test;
namespace layout = tarvenne::ui::login_layout;

namespace {

constexpr int startTimeout = 60000;
constexpr int settleTimeout = 20000;
constexpr int leaveTimeout = 10000;
constexpr std::uint32_t escapeKey = 0xff1b;

const QString title = QStringLiteral("Tarvenne Online");

// One run of the launcher against a site of the test's own: `loginBody` is the login page's body
// (the hand-off page when empty), `gameBody` the game page's, `otherBody` that of /other.html.
class Session {
public:
    Session(const QString& loginBody, const QString& gameBody, const QString& otherBody = {},
            const char* answers = "") {
        const std::string login =
            (loginBody.isEmpty() ? handOffPage() : reportingPage(loginBody)).toStdString();
        const std::string game = reportingPage(gameBody).toStdString();
        const std::string other = reportingPage(otherBody).toStdString();
        site_.routes().Get("/login.html", [login](const httplib::Request&, httplib::Response& r) {
            r.set_content(login, "text/html; charset=utf-8");
        });
        site_.routes().Get("/me.php", [game](const httplib::Request&, httplib::Response& r) {
            r.set_content(game, "text/html; charset=utf-8");
        });
        site_.routes().Get("/other.html", [other](const httplib::Request&, httplib::Response& r) {
            r.set_content(other, "text/html; charset=utf-8");
        });
        site_.routes().Get(R"(/report/.*)", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("", "text/plain");
        });
        site_.routes().Get("/download.bin", [](const httplib::Request&, httplib::Response& r) {
            r.set_header("Content-Disposition", "attachment; filename=\"evil.sh\"");
            r.set_content("#!/bin/sh\n", "application/octet-stream");
        });
        site_.start();
        const std::string document = QStringLiteral("Tarvenne|%1|login.html|%2")
                                         .arg(site_.address(QStringLiteral("/")), title)
                                         .toStdString();
        directory_.routes().Get("/update.html",
                                [document](const httplib::Request&, httplib::Response& r) {
                                    r.set_content(document, "text/html");
                                });
        directory_.start();
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("TARVENNE_TEST_ANSWERS"), QString::fromLatin1(answers));
        launcher_.emplace(QStringLiteral(TARVENNE_UNDER_TEST),
                          directory_.address(QStringLiteral("/update.html")), environment);
    }

    LauncherProcess& launcher() { return *launcher_; }
    X11Client& desktop() { return desktop_; }
    std::uint32_t window() const { return window_; }

    bool reported(const QString& word) const {
        return site_.answered(QStringLiteral("/report/") + word);
    }
    int timesReported(const QString& word) const {
        return site_.timesAnswered(QStringLiteral("/report/") + word);
    }

    // Waits for the login window and its painted page.
    bool showsLoginPage() {
        std::optional<std::uint32_t> login;
        if (!QTest::qWaitFor(
                [&] { return (login = desktop_.viewableWindow(pid(), title)).has_value(); },
                startTimeout))
            return false;
        window_ = *login;
        pageCorner_ = desktop_.geometry(window_).topLeft() + layout::browserArea.topLeft();
        return QTest::qWaitFor([&] { return reported(QStringLiteral("painted")); }, startTimeout);
    }

    // Signs in through the hand-off link and waits for the main window with the game.
    bool showsGamePage() {
        if (!showsLoginPage())
            return false;
        const std::uint32_t login = window_;
        desktop_.movePointer(pageCorner_ + pageRow(0));
        if (!QTest::qWaitFor([&] { return reported(QStringLiteral("hovered")); }, settleTimeout))
            return false;
        desktop_.clickLeftButton();
        std::optional<std::uint32_t> main;
        if (!QTest::qWaitFor(
                [&] {
                    return (main = desktop_.viewableWindow(pid(), title)) && *main != login &&
                           desktop_.state(*main).contains(QStringLiteral("MAXIMIZED_VERT"));
                },
                startTimeout))
            return false;
        window_ = *main;
        pageCorner_ = desktop_.geometry(window_).topLeft();
        return QTest::qWaitFor([&] { return timesReported(QStringLiteral("painted")) >= 2; },
                               startTimeout);
    }

    // Clicks the element at `point` of the page, again until the page has taken the press (a
    // click just after a window has come up may not reach the page yet), and waits for its
    // release.
    bool click(QPoint point) {
        const QString pressed = QStringLiteral("pressed-%1").arg(clicks_);
        const QString released = QStringLiteral("released-%1").arg(clicks_);
        ++clicks_;
        return QTest::qWaitFor(
                   [&] {
                       desktop_.movePointer(pageCorner_ + point);
                       desktop_.clickLeftButton();
                       return QTest::qWaitFor([&] { return reported(pressed); }, 1000);
                   },
                   settleTimeout) &&
               QTest::qWaitFor([&] { return reported(released); }, settleTimeout);
    }

    // Clicks the right button at `point` of the page until a context menu comes up (the first
    // click may not reach the page yet, and one made while a menu is up only closes it). Its
    // presses are not counted for click().
    bool opensMenu(QPoint point) {
        const qsizetype before = launcher_->menus().size();
        return QTest::qWaitFor(
            [&] {
                desktop_.movePointer(pageCorner_ + point);
                desktop_.pressButton(3);
                desktop_.releaseButton(3);
                return QTest::qWaitFor([&] { return launcher_->menus().size() > before; }, 1000);
            },
            settleTimeout);
    }

    QPoint pageCorner() const { return pageCorner_; }

    // The page's top-left corner moves with its window (full screen and back).
    void followWindow() { pageCorner_ = desktop_.geometry(window_).topLeft(); }

    // Asks the window to close and waits for the launcher to end with status 0.
    bool leaves() {
        desktop_.requestClose(window_);
        return launcher_->endsWithStatusZero(leaveTimeout);
    }

private:
    qint64 pid() const { return launcher_->pid(); }

    LoopbackServer site_;
    LoopbackServer directory_;
    std::optional<LauncherProcess> launcher_;
    X11Client desktop_;
    std::uint32_t window_ = 0;
    QPoint pageCorner_;
    int clicks_ = 0;
};

// Whether the screen's pixel at `point` is dark, as a notice's ground is over a white page.
bool darkOnScreen(QPoint point) {
    const QColor pixel = QGuiApplication::primaryScreen()
                             ->grabWindow(0, point.x(), point.y(), 1, 1)
                             .toImage()
                             .pixelColor(0, 0);
    return pixel.lightness() < 100;
}

void killRenderers(const LauncherProcess& launcher) {
    for (const qint64 pid : launcher.rendererPids())
        ::kill(static_cast<pid_t>(pid), SIGSEGV);
}

} // namespace

class GameSessionTest : public QObject {
    Q_OBJECT

private slots:
    void killedRendererComesBack_data();
    void killedRendererComesBack();
    void contextMenuHoldsWhatWorks();
    void gameTakesScreenAndPointerOnTheClick();
    void refusedClickIsNamed();
    void stoppedDialogsLastForThePage();
};

void GameSessionTest::killedRendererComesBack_data() {
    QTest::addColumn<bool>("gamePage");
    QTest::newRow("login page") << false;
    QTest::newRow("game page") << true;
}

void GameSessionTest::killedRendererComesBack() {
    QFETCH(bool, gamePage);
    const QString loads = QStringLiteral(
        "<script>report('loaded-' + (document.cookie.includes('session=kept') ? 'signed-in' : "
        "'anonymous'))</script>");
    Session session(gamePage ? QString() : loads, loads);
    QVERIFY(gamePage ? session.showsGamePage() : session.showsLoginPage());
    const QString loaded =
        gamePage ? QStringLiteral("loaded-signed-in") : QStringLiteral("loaded-anonymous");
    QTRY_COMPARE_WITH_TIMEOUT(session.timesReported(loaded), 1, settleTimeout);

    // Each loss loads the page again, with the session's cookies; the player sees no box.
    for (int loss = 1; loss <= 3; ++loss) {
        QVERIFY(!session.launcher().rendererPids().isEmpty());
        killRenderers(session.launcher());
        QTRY_COMPARE_WITH_TIMEOUT(session.timesReported(loaded), loss + 1, startTimeout);
    }
    QCOMPARE(session.launcher().boxes().size(), 0);

    // One loss more within the minute: one box, no reload, and the window stays for the player
    // to leave.
    killRenderers(session.launcher());
    QTRY_COMPARE_WITH_TIMEOUT(session.launcher().boxes().size(), 1, startTimeout);
    QVERIFY(session.launcher()
                .boxes()
                .first()
                .value(QStringLiteral("text"))
                .toString()
                .contains(QStringLiteral("stopped working")));
    QVERIFY(session.desktop().isViewable(session.window()));
    QVERIFY(session.leaves());
    QCOMPARE(session.timesReported(loaded), 4);
}

void GameSessionTest::contextMenuHoldsWhatWorks() {
    Session session(QStringLiteral(R"html(
        <p id="chosen" style="top: 10px">Selected words</p>
        <a style="top: 60px" href="/other.html">a link</a>
        <input style="top: 110px" value="typed">
        <script>getSelection().selectAllChildren(document.getElementById('chosen'));</script>)html"),
                    {});
    QVERIFY(session.showsLoginPage());
    const struct {
        const char* name;
        QPoint point;
        QStringList entries;
    } cases[] = {
        {"a selection", pageRow(0), {"Copy"}},
        {"a link", pageRow(1), {"Copy link address"}},
        {"a text field", pageRow(2), {"Cut", "Copy", "Paste", "Select all"}},
        {"the page", pageRow(5), {"Back", "Forward", "Reload"}},
    };
    for (const auto& shown : cases) {
        QVERIFY2(session.opensMenu(shown.point), shown.name);
        QVERIFY2(session.launcher().menus().last() == shown.entries,
                 qPrintable(QStringLiteral("%1: %2").arg(
                     shown.name, session.launcher().menus().last().join(QStringLiteral(", ")))));
        session.desktop().tapKey(escapeKey);
    }
    QVERIFY(session.leaves());
}

void GameSessionTest::gameTakesScreenAndPointerOnTheClick() {
    Session session({}, QStringLiteral(R"html(
        <button style="top: 10px" onclick="document.documentElement.requestFullscreen()
            .then(() => report('fullscreen-granted'), () => report('fullscreen-denied'))">
            full screen</button>
        <button style="top: 60px" onclick="document.body.requestPointerLock()">mouse look</button>
        <script>
          let lockErrors = 0;
          addEventListener('fullscreenchange', () =>
            report(document.fullscreenElement ? 'fullscreen-on' : 'fullscreen-off'));
          document.addEventListener('pointerlockchange', () =>
            report(document.pointerLockElement ? 'locked' : 'unlocked'));
          document.addEventListener('pointerlockerror', () => report('lock-denied-' + lockErrors++));
          document.documentElement.requestFullscreen().catch(() => report('unclicked-denied'));
          document.body.requestPointerLock();
        </script>)html"));
    QVERIFY(session.showsGamePage());
    X11Client& desktop = session.desktop();
    const std::uint32_t window = session.window();
    // Without a click, neither.
    QTRY_VERIFY_WITH_TIMEOUT(session.reported(QStringLiteral("unclicked-denied")), settleTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(session.reported(QStringLiteral("lock-denied-0")), settleTimeout);
    QVERIFY(!desktop.state(window).contains(QStringLiteral("FULLSCREEN")));

    // On the click, the whole screen, over the desktop's panels; Escape gives it back.
    const QRect maximised = desktop.geometry(window);
    QVERIFY(session.click(pageRow(0)));
    QTRY_VERIFY_WITH_TIMEOUT(session.reported(QStringLiteral("fullscreen-on")), settleTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(desktop.state(window).contains(QStringLiteral("FULLSCREEN")),
                             settleTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(desktop.geometry(window), QRect(0, 0, 1920, 1080), settleTimeout);
    QVERIFY(
        session.launcher().notices().contains(QStringLiteral("Press Esc to leave full screen")));
    desktop.tapKey(escapeKey);
    QTRY_VERIFY_WITH_TIMEOUT(session.reported(QStringLiteral("fullscreen-off")), settleTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!desktop.state(window).contains(QStringLiteral("FULLSCREEN")),
                             settleTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(desktop.state(window).contains(QStringLiteral("MAXIMIZED_HORZ")),
                             settleTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(desktop.geometry(window), maximised, settleTimeout);

    // The pointer likewise.
    session.followWindow();
    QVERIFY(session.click(pageRow(1)));
    QTRY_VERIFY_WITH_TIMEOUT(session.reported(QStringLiteral("locked")), settleTimeout);
    desktop.tapKey(escapeKey);
    QTRY_VERIFY_WITH_TIMEOUT(session.reported(QStringLiteral("unlocked")), settleTimeout);

    // Full screen once more, and the close request ends the launcher at once.
    QVERIFY(session.click(pageRow(0)));
    QTRY_VERIFY_WITH_TIMEOUT(desktop.state(window).contains(QStringLiteral("FULLSCREEN")),
                             settleTimeout);
    QVERIFY(session.leaves());
}

void GameSessionTest::refusedClickIsNamed() {
    // What the page tries without a click stays silent; what the player's click asks for is
    // named, one notice at a time, each gone by itself.
    Session session(QStringLiteral(R"html(
        <a style="top: 10px" href="/download.bin">get</a>
        <a style="top: 60px" href="mailto:player@example.net">mail</a>
        <button style="top: 110px" onclick="window.open('/other.html', '',
          'left=1600,top=850,width=300,height=200')">window</button>
        <script>
          const link = document.createElement('a');
          link.href = '/download.bin';
          link.click();
          setTimeout(() => { location.href = 'mailto:unclicked@example.net'; report('tried'); });
        </script>)html"),
                    {});
    QVERIFY(session.showsLoginPage());
    QTRY_VERIFY_WITH_TIMEOUT(session.reported(QStringLiteral("tried")), settleTimeout);

    const QStringList expected{
        QStringLiteral("Not downloaded: evil.sh (the launcher saves no files)"),
        QStringLiteral("Not opened: the launcher does not open mailto: addresses"),
        QStringLiteral("Not opened: 5 windows are open, the most at once")};
    const auto namedOnClick = [&](int link, int notices) {
        if (!session.click(pageRow(link)))
            return false;
        return QTest::qWaitFor([&] { return session.launcher().notices().size() == notices; },
                               settleTimeout) &&
               session.launcher().notices().last() == expected[notices - 1] &&
               QTest::qWaitFor([&] { return session.launcher().noticesGone().size() == notices; },
                               settleTimeout);
    };
    // The first notice as the player sees it: over the page, at its top, gone by itself.
    const QPoint noticePoint = session.pageCorner() + QPoint(layout::browserArea.width() / 2, 24);
    QVERIFY(!darkOnScreen(noticePoint));
    QVERIFY(session.click(pageRow(0)));
    QTRY_VERIFY_WITH_TIMEOUT(darkOnScreen(noticePoint), settleTimeout);
    QTRY_VERIFY_WITH_TIMEOUT(!darkOnScreen(noticePoint), settleTimeout);
    QCOMPARE(session.launcher().notices(), QStringList{expected[0]});
    QTRY_COMPARE_WITH_TIMEOUT(session.launcher().noticesGone().size(), 1, settleTimeout);
    QVERIFY(namedOnClick(1, 2));
    // Five windows open, one a click, with no notice; the sixth is one too many.
    const auto separateWindows = [&] {
        int shown = 0;
        for (const QJsonObject& window : session.launcher().windows())
            shown += window.value(QStringLiteral("shown")) == QStringLiteral("browserWindow");
        return shown;
    };
    for (int window = 1; window <= 5; ++window) {
        QVERIFY(session.click(pageRow(2)));
        QTRY_COMPARE_WITH_TIMEOUT(separateWindows(), window, settleTimeout);
    }
    QCOMPARE(session.launcher().notices().size(), 2);
    QVERIFY(namedOnClick(2, 3));
    QCOMPARE(session.launcher().notices(), expected);
    QVERIFY(session.leaves());
}

void GameSessionTest::stoppedDialogsLastForThePage() {
    // The player stops the page's dialogs at its second one; a move within the document keeps
    // them stopped, the next document may show them again.
    Session session(QStringLiteral(R"html(<script>
          alert('first');
          alert('second');
          location.hash = 'moved';
          alert('same document');
          report('first-page-done');
          location.href = '/other.html';
        </script>)html"),
                    {}, QStringLiteral(R"html(<script>
          alert('next document');
          report('next-page-done');
        </script>)html"),
                    "stop-dialogs");
    QVERIFY(session.showsLoginPage());
    QTRY_VERIFY_WITH_TIMEOUT(session.reported(QStringLiteral("next-page-done")), settleTimeout);
    QStringList messages;
    for (const QJsonObject& dialog : session.launcher().dialogs())
        messages.append(dialog.value(QStringLiteral("message")).toString());
    QCOMPARE(messages.join(QStringLiteral(", ")), QStringLiteral("first, second, next document"));
    QVERIFY(session.launcher().dialogs()[1].value(QStringLiteral("stopOffered")).toBool());
    QVERIFY(session.leaves());
}

QTEST_MAIN(GameSessionTest)
#include "game_session_test.moc"
