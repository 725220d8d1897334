// Hostile pages against the real launcher on an X desktop under openbox: whatever the login page
// or the game page does, the player leaves with status 0 within a few seconds, nothing outside
// the launcher runs, no file appears, every permission request is answered with no, and the
// separate windows stay few and on the screen. Each row serves one hostile page, plays the
// player, leaves, and then checks what the launcher left behind.
#include "launcher_process.h"
#include "look/login_layout.h"
#include "loopback_server.h"
#include "reporting_page.h"
#include "tls_loopback_server.h"
#include "x11_client.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>
#include <array>
#include <csignal>
#include <optional>

using namespace tarvenne::ui::test;
namespace layout = tarvenne::ui::login_layout;

namespace {

constexpr int startTimeout = 60000;
constexpr int settleTimeout = 20000;
// What "at once" means for leaving, with room for a loaded machine.
constexpr int leaveTimeout = 10000;

const QString title = QStringLiteral("Tarvenne Online");

enum class Where { LoginPage, GamePage };
enum class Leave { CloseRequest, CloseSpot, Terminate, HangUp, Interrupt };

struct Hostile {
    const char* name;
    Where where;
    // The page's body; %TLS% stands for the address of a web server over TLS. The page reports
    // to its site with report(word), which fetches /report/word.
    const char* body;
    // What the page must have reported before the player leaves.
    QStringList settled = {};
    // Points of the page, from its top-left corner, that the player clicks once it is painted.
    QList<QPoint> clicks = {};
    // The player leaves while a dialog of the page is up.
    bool leavesDuringDialog = false;
    // How the test launcher answers boxes and dialogs (TARVENNE_TEST_ANSWERS).
    const char* answers = "";
    Leave leave = Leave::CloseRequest;
    // The most of each that may appear; -1 for no bound.
    int mostDialogs = -1;
    int mostBoxes = 0;
    int mostSeparateWindows = 0;
    // What the page must never report.
    QStringList never = {};
    // The player leaves while dragging the page's first link, the button still held.
    bool leavesDuringDrag = false;
};

const QList<Hostile>& hostilePages() {
    static const QList<Hostile> rows{
        {.name = "alerts every 50 ms in the login page; the player closes the window",
         .where = Where::LoginPage,
         .body = "<script>setInterval(() => alert('x'), 50)</script>",
         .leavesDuringDialog = true,
         .answers = "none"},
        {.name = "alerts every 50 ms in the login page; the player clicks the close spot",
         .where = Where::LoginPage,
         .body = "<script>setInterval(() => alert('x'), 50)</script>",
         .leavesDuringDialog = true,
         .answers = "none",
         .leave = Leave::CloseSpot},
        {.name = "alerts every 50 ms in the game page; the player closes the main window",
         .where = Where::GamePage,
         .body = "<script>setInterval(() => alert('x'), 50)</script>",
         .leavesDuringDialog = true,
         .answers = "none"},
        {.name = "a confirm; the desktop ends the session",
         .where = Where::LoginPage,
         .body = "<script>setTimeout(() => confirm('Stay?'), 0)</script>",
         .leavesDuringDialog = true,
         .answers = "none",
         .leave = Leave::Terminate},
        {.name = "twenty alerts in a row; the player stops the page's dialogs",
         .where = Where::LoginPage,
         .body = "<script>for (let i = 0; i < 20; i++) alert(i); report('alerts-over');</script>",
         .settled = {"alerts-over"},
         .answers = "stop-dialogs",
         .mostDialogs = 2},
        {.name = "a prompt for the password",
         .where = Where::LoginPage,
         .body = "<script>setTimeout(() => prompt('Your password please'), 0)</script>",
         .leavesDuringDialog = true,
         .answers = "none"},
        {.name = "a page that asks before it is left",
         .where = Where::LoginPage,
         .body = "<script>onbeforeunload = event => { event.preventDefault(); return 'Stay'; "
                 "};</script>",
         .settled = {"painted"},
         .clicks = {pageRow(0)}},
        {.name = "the session ends by hang-up",
         .where = Where::LoginPage,
         .body = "",
         .settled = {"painted"},
         .leave = Leave::HangUp},
        {.name = "the session ends by interrupt",
         .where = Where::LoginPage,
         .body = "",
         .settled = {"painted"},
         .leave = Leave::Interrupt},
        {.name = "a game page, an SVG drawing, that reloads itself every 0.7 s",
         .where = Where::GamePage,
         .body = "svg",
         .settled = {"svg-load-4"},
         .answers = "none",
         .mostBoxes = 1},
        {.name = "links to other schemes, clicked",
         .where = Where::LoginPage,
         .body = R"html(<a style="top: 10px" href="steam://rungameid/1//+connect%20evil"
                   onmousedown="report('down-steam')">steam</a>
                <a style="top: 60px" href="mailto:player@example.net"
                   onmousedown="report('down-mailto')">mail</a>
                <a style="top: 110px" href="tarvenne-evil:run" target="_blank"
                   onmousedown="report('down-blank')">new window</a>
                <button style="top: 160px" onmousedown="report('down-script')"
                   onclick="location.href = 'steam://run/2'">script</button>
                <a style="top: 210px" href="file:///etc/hostname"
                   onmousedown="report('down-file')">file</a>
                <a style="top: 260px" href="/report/after-the-links">web</a>)html",
         .settled = {"down-steam", "down-mailto", "down-blank", "down-script", "down-file",
                     "after-the-links"},
         .clicks = {pageRow(0), pageRow(1), pageRow(2), pageRow(3), pageRow(4), pageRow(5)}},
        {.name = "a link dragged; the player closes the window before dropping it",
         .where = Where::LoginPage,
         .body = R"html(<a style="top: 10px" href="/report/dropped"
                          ondragstart="report('dragging')">drag me</a>)html",
         .settled = {"dragging"},
         .never = {"dropped"},
         .leavesDuringDrag = true},
        {.name = "the launcher's own resources in the page",
         .where = Where::LoginPage,
         .body = R"html(<img src="qrc:/app/icon/16x16.png"
                     onload="report('qrc-loaded')" onerror="report('qrc-refused')">)html",
         .settled = {"qrc-refused"},
         .never = {"qrc-loaded"}},
        {.name = "an image over TLS",
         .where = Where::LoginPage,
         .body = R"html(<img src="%TLS%/image.png" onerror="report('tls-over')"
                     onload="report('tls-over')">)html",
         .settled = {"tls-over"}},
        {.name = "the microphone and sound",
         .where = Where::LoginPage,
         .body = R"html(<script>
           navigator.mediaDevices.getUserMedia({ audio: true })
             .then(() => report('microphone-granted'), () => report('microphone-denied'));
           const sound = new AudioContext();
           const tone = sound.createOscillator();
           tone.connect(sound.destination);
           tone.start();
           report('sound-' + sound.state);
         </script>)html",
         .settled = {"microphone-denied"},
         .never = {"microphone-granted"}},
        {.name = "permissions asked as the page loads",
         .where = Where::LoginPage,
         .body = R"html(<script>
           const outcome = (name, asked) => asked.then(
             () => report(name + '-granted'), e => report(name + '-denied'));
           outcome('geolocation', new Promise((granted, denied) =>
             navigator.geolocation.getCurrentPosition(granted, denied)));
           outcome('notifications', Notification.requestPermission().then(
             answer => answer === 'granted' ? true : Promise.reject(answer)));
           outcome('camera', navigator.mediaDevices.getUserMedia({ video: true }));
           outcome('midi', navigator.requestMIDIAccess({ sysex: true }));
           outcome('clipboard', navigator.clipboard.readText());
         </script>)html",
         .settled = {"geolocation-denied", "notifications-denied", "camera-denied", "midi-denied",
                     "clipboard-denied"},
         .never = {"geolocation-granted", "notifications-granted", "camera-granted", "midi-granted",
                   "clipboard-granted"}},
        {.name = "permissions asked on the player's click",
         .where = Where::LoginPage,
         .body = R"html(<button style="top: 10px">click</button><script>
           const outcome = (name, asked) => asked.then(
             () => report(name + '-granted'), e => report(name + '-denied'));
           document.addEventListener('pointerlockchange', () => report('pointerlock-granted'));
           document.addEventListener('pointerlockerror', () => report('pointerlock-denied'));
           document.querySelector('button').addEventListener('click', () => {
             document.body.requestPointerLock();
             outcome('screen', navigator.mediaDevices.getDisplayMedia({ video: true }));
             outcome('fullscreen', document.documentElement.requestFullscreen());
           });
         </script>)html",
         .settled = {"pointerlock-denied", "screen-denied", "fullscreen-denied"},
         .clicks = {pageRow(0)},
         .never = {"pointerlock-granted", "screen-granted", "fullscreen-granted"}},
        {.name = "200 windows opened as the login page loads",
         .where = Where::LoginPage,
         .body = R"html(<script>
           for (let i = 0; i < 200; i++)
             window.open('/report/popup-' + i, '', 'left=0,top=0,width=1920,height=1080');
           report('popups-asked');
         </script>)html",
         .settled = {"popups-asked"},
         .never = {"popup-0"}},
        {.name = "200 windows opened as the game page loads",
         .where = Where::GamePage,
         .body = R"html(<script>
           for (let i = 0; i < 200; i++)
             window.open('/report/popup-' + i, '', 'left=0,top=0,width=1920,height=1080');
           report('popups-asked');
         </script>)html",
         .settled = {"popups-asked"},
         .never = {"popup-0"}},
        {.name = "20 screen-filling windows opened by one click",
         .where = Where::LoginPage,
         .body = R"html(<button style="top: 10px" onclick="
           for (let i = 0; i < 20; i++)
             window.open('/report/popup-' + i, '', 'left=0,top=0,width=4000,height=3000');
           report('popups-asked');">open</button>)html",
         .settled = {"popups-asked", "popup-0"},
         .clicks = {pageRow(0)},
         .mostSeparateWindows = 5,
         .never = {"popup-5"}},
        {.name = "downloads, clicked and scripted",
         .where = Where::LoginPage,
         .body = R"html(<a style="top: 10px" href="/report/download.bin" download="evil.sh">get</a>
                <script>
                  const link = document.createElement('a');
                  link.href = URL.createObjectURL(new Blob(['#!/bin/sh']));
                  link.download = 'evil.sh';
                  link.click();
                </script>)html",
         .settled = {"download.bin"},
         .clicks = {pageRow(0)}},
        {.name = "a file chooser, clicked",
         .where = Where::LoginPage,
         .body = R"html(<input type="file" style="position: absolute; top: 10px; left: 10px;
                          width: 300px; height: 40px" onchange="report('file-chosen')">)html",
         .settled = {"painted"},
         .clicks = {pageRow(0)},
         .never = {"file-chosen"}},
        {.name = "an image behind the web server's password",
         .where = Where::LoginPage,
         .body = R"html(<img src="/password/secret.png" onerror="report('password-refused')"
                          onload="report('password-given')">)html",
         .settled = {"password-refused"},
         .never = {"password-given"}},
        {.name = "an endless script",
         .where = Where::LoginPage,
         .body = "<script>setTimeout(() => { for (;;) {} }, 200)</script>",
         .settled = {"painted"}},
    };
    return rows;
}

const QStringList openers{"xdg-open", "xdg-email",     "gio",         "gvfs-open",
                          "kde-open", "kde-open5",     "kioclient5",  "gnome-open",
                          "exo-open", "x-www-browser", "www-browser", "sensible-browser"};

// Folders that stand in for the player's: home, the XDG folders (the runtime folder included), the
// temporary folder and the working directory; and stub openers first on the PATH, which note each
// call outside them.
class PlayerFolders {
public:
    PlayerFolders() {
        const std::array names{"HOME",          "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                               "XDG_DATA_HOME", "XDG_STATE_HOME",  "XDG_RUNTIME_DIR",
                               "TMPDIR"};
        for (std::size_t i = 0; i < names.size(); ++i)
            environment_.insert(QString::fromLatin1(names[i]), folders_[i].path());
        // [XDG Base Directory] The runtime folder is the user's alone.
        QFile::setPermissions(folders_[5].path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
        environment_.insert(QStringLiteral("BROWSER"), stubs_.filePath(QStringLiteral("xdg-open")));
        environment_.insert(QStringLiteral("PATH"),
                            stubs_.path() + QLatin1Char(':') + qEnvironmentVariable("PATH"));
        for (const QString& opener : openers) {
            QFile stub(stubs_.filePath(opener));
            stub.open(QIODevice::WriteOnly);
            stub.write(QStringLiteral("#!/bin/sh\necho \"$0 $*\" >> '%1'\n")
                           .arg(calls_.filePath(QStringLiteral("calls")))
                           .toUtf8());
            stub.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
    }

    const QProcessEnvironment& environment() const { return environment_; }
    // The last of the player's folders.
    QString workingDirectory() const { return folders_.back().path(); }

    // Every file and folder in the player's folders.
    QStringList contents() const {
        QStringList found;
        for (const QTemporaryDir& folder : folders_) {
            QDirIterator entries(folder.path(),
                                 QDir::AllEntries | QDir::Hidden | QDir::System |
                                     QDir::NoDotAndDotDot,
                                 QDirIterator::Subdirectories);
            while (entries.hasNext())
                found.append(entries.next());
        }
        return found;
    }

    // The calls of the stub openers.
    QString openerCalls() const {
        QFile calls(calls_.filePath(QStringLiteral("calls")));
        return calls.open(QIODevice::ReadOnly) ? QString::fromUtf8(calls.readAll()) : QString();
    }

private:
    std::array<QTemporaryDir, 8> folders_;
    QTemporaryDir stubs_;
    QTemporaryDir calls_;
    QProcessEnvironment environment_;
};

} // namespace

class HostilePagesTest : public QObject {
    Q_OBJECT

private slots:
    void playerLeavesAndNothingEscapes_data();
    void playerLeavesAndNothingEscapes();
};

void HostilePagesTest::playerLeavesAndNothingEscapes_data() {
    QTest::addColumn<int>("index");
    for (int index = 0; index < hostilePages().size(); ++index)
        QTest::newRow(hostilePages()[index].name) << index;
}

void HostilePagesTest::playerLeavesAndNothingEscapes() {
    QFETCH(int, index);
    const Hostile& hostile = hostilePages()[index];
    const TlsLoopbackServer tls;
    const QString body =
        QString::fromUtf8(hostile.body).replace(QStringLiteral("%TLS%"), tls.address(QString()));
    const bool svg = body == QLatin1String("svg");
    const QString page = reportingPage(body);

    LoopbackServer site;
    site.routes().Get("/login.html", [&](const httplib::Request&, httplib::Response& response) {
        response.set_content(
            (hostile.where == Where::LoginPage ? page : handOffPage()).toStdString(),
            "text/html; charset=utf-8");
    });
    site.routes().Get("/me.php", [&](const httplib::Request&, httplib::Response& response) {
        if (svg) {
            response.set_content(
                R"svg(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10"><script>
                  const load = Number(sessionStorage.getItem('load') || 0) + 1;
                  sessionStorage.setItem('load', load);
                  fetch('/report/svg-load-' + load);
                  setTimeout(() => location.reload(), 700);
                </script></svg>)svg",
                "image/svg+xml");
        } else {
            response.set_content(page.toStdString(), "text/html; charset=utf-8");
        }
    });
    site.routes().Get(R"(/password/.*)", [](const httplib::Request&, httplib::Response& response) {
        response.status = 401;
        response.set_header("WWW-Authenticate", R"(Basic realm="Tarvenne")");
    });
    site.routes().Get(R"(/report/.*)", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Content-Disposition", "attachment");
        response.set_content("#!/bin/sh\n", "application/octet-stream");
    });
    site.start();
    LoopbackServer directory;
    const std::string document = QStringLiteral("Tarvenne|%1|login.html|%2")
                                     .arg(site.address(QStringLiteral("/")), title)
                                     .toStdString();
    directory.routes().Get("/update.html",
                           [&](const httplib::Request&, httplib::Response& response) {
                               response.set_content(document, "text/html");
                           });
    directory.start();

    PlayerFolders player;
    QProcessEnvironment environment = player.environment();
    environment.insert(QStringLiteral("TARVENNE_TEST_ANSWERS"),
                       QString::fromLatin1(hostile.answers));
    LauncherProcess launcher(
        qEnvironmentVariable("TARVENNE_HOSTILE_LAUNCHER", QStringLiteral(TARVENNE_UNDER_TEST)),
        directory.address(QStringLiteral("/update.html")), environment, {},
        player.workingDirectory());
    X11Client desktop;
    const auto reported = [&](const QString& word) {
        return site.answered(QStringLiteral("/report/") + word);
    };

    std::optional<std::uint32_t> login;
    QTRY_VERIFY_WITH_TIMEOUT((login = desktop.viewableWindow(launcher.pid(), title)), startTimeout);
    std::uint32_t shown = *login;
    QPoint pageCorner = desktop.geometry(*login).topLeft() + layout::browserArea.topLeft();
    if (hostile.where == Where::GamePage) {
        QTRY_VERIFY_WITH_TIMEOUT(reported(QStringLiteral("painted")), startTimeout);
        desktop.movePointer(pageCorner + pageRow(0));
        QTRY_VERIFY_WITH_TIMEOUT(reported(QStringLiteral("hovered")), settleTimeout);
        desktop.clickLeftButton();
        std::optional<std::uint32_t> main;
        QTRY_VERIFY_WITH_TIMEOUT((main = desktop.viewableWindow(launcher.pid(), title)) &&
                                     *main != *login,
                                 startTimeout);
        shown = *main;
        pageCorner = desktop.geometry(*main).topLeft();
    }

    // The player's part: the clicks, then waiting for what the page must have reported.
    if (!hostile.clicks.isEmpty()) {
        QTRY_VERIFY_WITH_TIMEOUT(reported(QStringLiteral("painted")), settleTimeout);
        // A click that comes just after the login window has come up may not reach the page
        // (the window manager is still taking the window on): the player clicks again. Each
        // click is over, for the page too, before the pointer moves on: a press that the page
        // takes after the pointer has moved on would be the start of a drag.
        for (int click = 0; click < hostile.clicks.size(); ++click) {
            const QString pressed = QStringLiteral("pressed-%1").arg(click);
            QVERIFY(QTest::qWaitFor(
                [&] {
                    desktop.movePointer(pageCorner + hostile.clicks[click]);
                    desktop.clickLeftButton();
                    return QTest::qWaitFor([&] { return reported(pressed); }, 1000);
                },
                settleTimeout));
            QTRY_VERIFY_WITH_TIMEOUT(reported(QStringLiteral("released-%1").arg(click)),
                                     settleTimeout);
        }
    }
    if (hostile.leavesDuringDrag) {
        QTRY_VERIFY_WITH_TIMEOUT(reported(QStringLiteral("painted")), settleTimeout);
        // As with clicks, a press that does not reach the page is made again.
        QVERIFY(QTest::qWaitFor(
            [&] {
                desktop.movePointer(pageCorner + pageRow(0));
                desktop.pressButton(1);
                for (int step = 1; step <= 10; ++step)
                    desktop.movePointer(pageCorner + pageRow(0) + QPoint(step * 10, step * 20));
                if (QTest::qWaitFor([&] { return reported(QStringLiteral("dragging")); }, 1000))
                    return true;
                desktop.releaseButton(1);
                return false;
            },
            settleTimeout));
    }
    QStringList unsettled;
    for (const QString& word : hostile.settled) {
        if (!QTest::qWaitFor([&] { return reported(word); }, settleTimeout))
            unsettled.append(word);
    }
    if (hostile.leavesDuringDialog &&
        !QTest::qWaitFor([&] { return !launcher.dialogs().isEmpty(); }, settleTimeout))
        unsettled.append(QStringLiteral("a dialog"));
    int separateWindows = 0;
    bool separateOnScreen = true;
    for (const std::uint32_t window : desktop.viewableWindows(launcher.pid())) {
        if (window == shown || desktop.title(window) == title)
            continue;
        ++separateWindows;
        separateOnScreen =
            separateOnScreen && desktop.workArea().contains(desktop.frameGeometry(window));
    }

    switch (hostile.leave) {
    case Leave::CloseRequest:
        desktop.requestClose(shown);
        break;
    case Leave::CloseSpot:
        desktop.movePointer(desktop.geometry(shown).topLeft() + layout::closeSpot + QPoint(3, 6));
        desktop.clickLeftButton();
        break;
    case Leave::Terminate:
        ::kill(static_cast<pid_t>(launcher.pid()), SIGTERM);
        break;
    case Leave::HangUp:
        ::kill(static_cast<pid_t>(launcher.pid()), SIGHUP);
        break;
    case Leave::Interrupt:
        ::kill(static_cast<pid_t>(launcher.pid()), SIGINT);
        break;
    }
    const bool leftAtOnce = launcher.endsWithStatusZero(leaveTimeout);
    if (hostile.leavesDuringDrag)
        desktop.releaseButton(1);
    const QString ending = launcher.ending();
    QStringList shownWindows;
    for (const QJsonObject& window : launcher.windows())
        shownWindows.append(window.value(QStringLiteral("shown")).toString());
    const int separateShown = int(shownWindows.count(QStringLiteral("browserWindow")));
    QStringList never;
    for (const QString& word : hostile.never) {
        if (reported(word))
            never.append(word);
    }
    const QStringList files = player.contents();
    const QString openerCalls = player.openerCalls();
    QStringList boxTexts;
    for (const QJsonObject& box : launcher.boxes())
        boxTexts.append(box.value(QStringLiteral("text")).toString());
    qInfo("outcome: left %s (%s); files %s; opener calls %s; dialogs %lld; boxes %lld; "
          "separate windows %d (%d up, on screen: %s); unsettled %s; reported %s; box texts %s",
          leftAtOnce ? "at once" : "late", qPrintable(ending), qPrintable(files.join(' ')),
          qPrintable(openerCalls.trimmed()), launcher.dialogs().size(), launcher.boxes().size(),
          separateShown, separateWindows, separateOnScreen ? "yes" : "no",
          qPrintable(unsettled.join(' ')), qPrintable(never.join(' ')),
          qPrintable(boxTexts.join(QStringLiteral(" | "))));

    QVERIFY2(leftAtOnce, qPrintable(ending));
    QCOMPARE(files.join(QLatin1Char('\n')), QString());
    QCOMPARE(openerCalls, QString());
    QCOMPARE(unsettled, QStringList());
    QCOMPARE(never, QStringList());
    if (hostile.mostDialogs >= 0)
        QVERIFY(launcher.dialogs().size() <= hostile.mostDialogs);
    QVERIFY(launcher.boxes().size() <= hostile.mostBoxes);
    QVERIFY(separateShown <= hostile.mostSeparateWindows);
    QVERIFY(separateOnScreen);
    // A page's dialog names the page's origin in its own text.
    for (const QJsonObject& dialog : launcher.dialogs())
        QVERIFY(dialog.value(QStringLiteral("origin")).toString().contains(site.address()));
}

QTEST_GUILESS_MAIN(HostilePagesTest)
#include "hostile_pages_test.moc"
