// The launcher as a process: how it ends, what the player sees of it, and what it leaves
// behind. An X client of the test plays the desktop: it closes windows as a window manager
// does and moves and clicks the pointer.
#include "launcher_process.h"
#include "look/login_layout.h"
#include "scripted_server.h"
#include "test_keys.h"
#include "test_site.h"
#include "x11_client.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <directory/document_signature.h>
#include <filesystem>
#include <optional>

using namespace tarvenne::ui::test;
namespace layout = tarvenne::ui::login_layout;

namespace {

constexpr int timeout = 60000;

// A point of the close spot in the login window.
constexpr QPoint closeHotspot = layout::closeSpot + QPoint(3, 6);

QString underTest() {
    return QStringLiteral(TARVENNE_UNDER_TEST);
}

// The launcher built with the tests' operator key.
QString underTestWithTestKey() {
    return QStringLiteral(TARVENNE_UNDER_TEST_WITH_TEST_KEY);
}

// A change of a process's environment as the preloaded environment watch notes it.
struct EnvironmentChange {
    QString call;
    QString name;
    int threads;
    // The file of the code that asked for the change: the program or a library.
    QString requester;

    QString text() const {
        return QStringLiteral("%1 %2 by %3 with %4 threads")
            .arg(call, name, requester)
            .arg(threads);
    }
};

// The changes of the process `pid` in the watch's report at `path`, in order.
QList<EnvironmentChange> environmentChanges(const QString& path, qint64 pid) {
    QFile report(path);
    QList<EnvironmentChange> changes;
    if (!report.open(QIODevice::ReadOnly))
        return changes;
    while (!report.atEnd()) {
        const QList<QByteArray> fields = report.readLine().trimmed().split(' ');
        if (fields.size() == 5 && fields[0].toLongLong() == pid)
            changes.append({QString::fromLatin1(fields[1]), QString::fromLatin1(fields[2]),
                            fields[3].toInt(), QString::fromLatin1(fields[4])});
    }
    return changes;
}

std::string signedWithTestKey(const std::string& document) {
    return tarvenne::directory::signDocument(
        document, tarvenne::signature::PrivateKey::fromPem(tarvenne::testing::testPrivateKeyPem()));
}

// Signs in as a player does: points at the login page's hand-off link once the page is on the
// screen, and clicks it.
void handOff(X11Client& desktop, const TestSite& site, std::uint32_t login) {
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), timeout);
    desktop.movePointer(desktop.geometry(login).topLeft() + layout::browserArea.topLeft() +
                        TestSite::link(QStringLiteral("handoff")).centre);
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/hovered")), timeout);
    desktop.clickLeftButton();
}

// Whether a process runs whose parent is `pid`: the web engine's helper processes are the
// launcher's only children.
bool hasChildProcess(qint64 pid) {
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(entry));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // [proc(5)] pid (comm) state ppid ...
        const QByteArray line = stat.readAll();
        const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1 && fields[1].toLongLong() == pid)
            return true;
    }
    return false;
}

// The files and folders below `folder`.
QStringList contents(const QString& folder) {
    QStringList found;
    QDirIterator entries(folder,
                         QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    while (entries.hasNext())
        found.append(entries.next());
    return found;
}

} // namespace

class LauncherProcessTest : public QObject {
    Q_OBJECT

private slots:
    void closingTheLoginWindowEndsTheLauncher_data();
    void closingTheLoginWindowEndsTheLauncher();
    void unreachableDirectoryShowsOneBoxThenTheUnshapedWindow();
    void noWindowBeforeTheDirectoryAnswers();
    void handOffRunWritesNoFiles();
    void withoutRuntimeFolderTheEnvironmentChangesOnlyBeforeAnyThread();
    void windowTitlesAsWritten_data();
    void windowTitlesAsWritten();
    void onlyTheOperatorsDocumentLeadsToALoginPage_data();
    void onlyTheOperatorsDocumentLeadsToALoginPage();
};

void LauncherProcessTest::closingTheLoginWindowEndsTheLauncher_data() {
    QTest::addColumn<bool>("byHotspot");
    QTest::newRow("close request of the desktop") << false;
    QTest::newRow("click on the close hotspot") << true;
}

// The close request of the desktop (its close button, Alt+F4, another program) and the
// close hotspot end the launcher with status 0, also while the login page is still being
// fetched; the main window never appears.
void LauncherProcessTest::closingTheLoginWindowEndsTheLauncher() {
    QFETCH(bool, byHotspot);
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    LauncherProcess launcher(underTest(), directory.updateDocumentAddress());
    X11Client desktop;

    std::optional<std::uint32_t> login;
    QTRY_VERIFY_WITH_TIMEOUT(
        (login = desktop.viewableWindow(launcher.pid(), QStringLiteral("Tarvenne Online"))),
        timeout);
    if (byHotspot) {
        desktop.movePointer(desktop.geometry(*login).topLeft() + closeHotspot);
        desktop.clickLeftButton();
    } else {
        desktop.requestClose(*login);
    }

    QVERIFY(launcher.endsWithStatusZero(timeout));
    QVERIFY(launcher.shown(QStringLiteral("loginWindow")));
    QVERIFY(!launcher.shown(QStringLiteral("mainWindow")));
    QVERIFY(launcher.boxes().isEmpty());
}

// One error box before any window, captioned with the launcher's file name; then the login
// window with its design title; closing it ends the launcher.
void LauncherProcessTest::unreachableDirectoryShowsOneBoxThenTheUnshapedWindow() {
    QTemporaryDir folder(QCoreApplication::applicationDirPath() + QStringLiteral("/run-XXXXXX"));
    const QString renamed = folder.filePath(QStringLiteral("GAMELAUNCHER.NEW.EXE"));
    std::error_code linkFailure;
    std::filesystem::create_hard_link(underTest().toStdString(), renamed.toStdString(),
                                      linkFailure);
    if (linkFailure)
        QVERIFY(QFile::copy(underTest(), renamed));
    const tarvenne::testing::RefusingPort refusing;
    LauncherProcess launcher(
        renamed, QStringLiteral("http://127.0.0.1:%1/update.html").arg(refusing.port()));
    X11Client desktop;

    std::optional<std::uint32_t> login;
    QTRY_VERIFY_WITH_TIMEOUT(
        (login = desktop.viewableWindow(launcher.pid(), QStringLiteral("Login"))), timeout);
    // The report travels through a pipe and may arrive after the window is on the display.
    QTRY_COMPARE_WITH_TIMEOUT(launcher.windows().size(), 1, timeout);
    QCOMPARE(launcher.windows().first().value("title").toString(), QStringLiteral("Login"));
    QCOMPARE(launcher.boxes().size(), 1);
    const QJsonObject box = launcher.boxes().first();
    QCOMPARE(box.value("caption").toString(), QStringLiteral("Gamelauncher"));
    QCOMPARE(box.value("text").toString(),
             QStringLiteral("Socket Error # 10061\r\nConnection refused."));
    QVERIFY(box.value("critical").toBool());
    QVERIFY(box.value("onlyOk").toBool());
    QVERIFY(box.value("pagesDisabled").toBool());

    desktop.requestClose(*login);
    QVERIFY(launcher.endsWithStatusZero(timeout));
    QCOMPARE(launcher.boxes().size(), 1);
    QVERIFY(!launcher.shown(QStringLiteral("mainWindow")));
}

// The update document is fetched while the web engine starts: no window appears while the
// directory server holds its answer, and the login window comes up once it has answered.
void LauncherProcessTest::noWindowBeforeTheDirectoryAnswers() {
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")),
                              DirectoryServer::Answer::WhenReleased);
    LauncherProcess launcher(underTest(), directory.updateDocumentAddress());
    X11Client desktop;

    QTRY_VERIFY_WITH_TIMEOUT(directory.requested() && hasChildProcess(launcher.pid()), timeout);
    QVERIFY(desktop.viewableWindows(launcher.pid()).isEmpty());
    QVERIFY(launcher.windows().isEmpty());
    directory.release();

    std::optional<std::uint32_t> login;
    QTRY_VERIFY_WITH_TIMEOUT(
        (login = desktop.viewableWindow(launcher.pid(), QStringLiteral("Tarvenne Online"))),
        timeout);
    QCOMPARE(desktop.viewableWindows(launcher.pid()).size(), 1);
    // The first window that the launcher showed is the shaped login window.
    QTRY_COMPARE_WITH_TIMEOUT(launcher.windows().size(), 1, timeout);
    QCOMPARE(launcher.windows().first().value("title").toString(),
             QStringLiteral("Tarvenne Online"));
    desktop.requestClose(*login);
    QVERIFY(launcher.endsWithStatusZero(timeout));
    QVERIFY(launcher.boxes().isEmpty());
}

// The whole road, with the pointer of the display: the hand-off brings up the main window
// maximised with the record's title, the login window is gone, and closing the main window
// ends the launcher. Home and the XDG folders stay empty.
void LauncherProcessTest::handOffRunWritesNoFiles() {
    QTemporaryDir home, config, cache, data, state, runtime;
    QVERIFY(QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner));
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config.path());
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    environment.insert(QStringLiteral("XDG_STATE_HOME"), state.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    LauncherProcess launcher(underTest(), directory.updateDocumentAddress(), environment);
    X11Client desktop;

    std::optional<std::uint32_t> login;
    QTRY_VERIFY_WITH_TIMEOUT(
        (login = desktop.viewableWindow(launcher.pid(), QStringLiteral("Tarvenne Online"))),
        timeout);
    handOff(desktop, site, *login);

    QTRY_VERIFY_WITH_TIMEOUT(launcher.shown(QStringLiteral("mainWindow")), timeout);
    QVERIFY(launcher.windows().last().value("maximized").toBool());
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/me.php")), timeout);
    std::optional<std::uint32_t> form1;
    QTRY_VERIFY_WITH_TIMEOUT(
        (form1 = desktop.viewableWindow(launcher.pid(), QStringLiteral("Tarvenne Online"))),
        timeout);
    QVERIFY(*form1 != *login);
    QVERIFY(!desktop.isViewable(*login));
    // Maximised as the window manager has it: its state, and its frame over the whole work area.
    QTRY_VERIFY_WITH_TIMEOUT(desktop.state(*form1).contains(QStringLiteral("MAXIMIZED_VERT")) &&
                                 desktop.state(*form1).contains(QStringLiteral("MAXIMIZED_HORZ")),
                             timeout);
    QTRY_COMPARE(desktop.frameGeometry(*form1), desktop.workArea());

    desktop.requestClose(*form1);
    QVERIFY(launcher.endsWithStatusZero(timeout));
    QVERIFY(launcher.boxes().isEmpty());
    for (const QTemporaryDir* folder : {&home, &config, &cache, &data, &state, &runtime})
        QCOMPARE(contents(folder->path()).join(QLatin1Char('\n')), QString());
}

// Without XDG_RUNTIME_DIR, the toolkit would make its runtime folder in the temporary folder.
// The launcher keeps it from doing so by its environment, which it changes only while it is the
// process's one thread: the update document's fetch reads the environment in a thread of its
// own, as do the toolkit's and the engine's threads. Through the hand-off to the game and the
// end, the temporary folder and the home folder stay empty, and no change of the environment by
// the launcher comes after its first thread. The web engine's library makes one change of its
// own while it starts (for the graphics driver), which is listed, not checked.
void LauncherProcessTest::withoutRuntimeFolderTheEnvironmentChangesOnlyBeforeAnyThread() {
    QTemporaryDir temporary, home, reportFolder;
    const QString report = reportFolder.filePath(QStringLiteral("environment"));
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("TMPDIR"), temporary.path());
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(TARVENNE_ENVIRONMENT_WATCH));
    environment.insert(QStringLiteral("TARVENNE_ENVIRONMENT_REPORT"), report);
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    LauncherProcess launcher(underTest(), directory.updateDocumentAddress(), environment,
                             {QStringLiteral("XDG_RUNTIME_DIR")});
    const qint64 pid = launcher.pid();
    X11Client desktop;

    std::optional<std::uint32_t> login;
    QTRY_VERIFY_WITH_TIMEOUT(
        (login = desktop.viewableWindow(pid, QStringLiteral("Tarvenne Online"))), timeout);
    handOff(desktop, site, *login);
    std::optional<std::uint32_t> main;
    QTRY_VERIFY_WITH_TIMEOUT(
        (main = desktop.viewableWindow(pid, QStringLiteral("Tarvenne Online"))) && *main != *login,
        timeout);
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/me.php")), timeout);
    desktop.requestClose(*main);
    QVERIFY(launcher.endsWithStatusZero(timeout));

    const QString program = QFileInfo(underTest()).fileName();
    QStringList early, late, libraries;
    for (const EnvironmentChange& change : environmentChanges(report, pid)) {
        if (change.requester != program)
            libraries.append(change.text());
        else if (change.threads == 1)
            early.append(change.call + QLatin1Char(' ') + change.name);
        else
            late.append(change.text());
    }
    qInfo("changes by the libraries: %s", qPrintable(libraries.join(QStringLiteral(", "))));
    // The watch saw the launcher's own changes, made by the launcher: the temporary folder's and
    // the home folder's.
    QVERIFY2(early.contains(QStringLiteral("setenv TMPDIR")) &&
                 early.contains(QStringLiteral("setenv HOME")),
             qPrintable(early.join(QStringLiteral(", "))));
    QVERIFY2(late.isEmpty(), qPrintable(late.join(QStringLiteral(", "))));
    QCOMPARE(contents(temporary.path()).join(QLatin1Char('\n')), QString());
    QCOMPARE(contents(home.path()).join(QLatin1Char('\n')), QString());
}

void LauncherProcessTest::windowTitlesAsWritten_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("chosen"); // the update document holds the game's record
    QTest::newRow("placeholder of the toolkit, both windows")
        << QStringLiteral("Tarvenne [*] Online") << true;
    QTest::newRow("empty: no record for the game") << QString() << false;
}

// The login window and, after the hand-off, the main window carry the record's title exactly as
// the window manager reads it: nothing taken away, nothing put in place of an empty title.
void LauncherProcessTest::windowTitlesAsWritten() {
    QFETCH(QString, title);
    QFETCH(bool, chosen);
    TestSite site;
    DirectoryServer directory(chosen ? updateDocumentFor(site, title)
                                     : std::string("Other|http://127.0.0.1:1/|login.html|Other"));
    LauncherProcess launcher(underTest(), directory.updateDocumentAddress());
    X11Client desktop;

    std::optional<std::uint32_t> login;
    QTRY_VERIFY_WITH_TIMEOUT((login = desktop.viewableWindow(launcher.pid(), title)), timeout);
    std::uint32_t last = *login;
    if (chosen) {
        handOff(desktop, site, *login);
        std::optional<std::uint32_t> main;
        QTRY_VERIFY_WITH_TIMEOUT(
            (main = desktop.viewableWindow(launcher.pid(), title)) && *main != *login, timeout);
        last = *main;
    }
    desktop.requestClose(last);
    QVERIFY(launcher.endsWithStatusZero(timeout));
    QVERIFY(launcher.boxes().isEmpty());
}

void LauncherProcessTest::onlyTheOperatorsDocumentLeadsToALoginPage_data() {
    QTest::addColumn<QString>("document");
    QTest::newRow("signed") << "signed";
    QTest::newRow("signed, its site address rewritten on the way") << "rewritten";
    QTest::newRow("unsigned") << "unsigned";
}

// A launcher built with the operator's key takes the login page from a document that the
// operator signed; for any other document it shows one error box, then the unshaped login
// window, whose browser never asks for the page that the document names.
void LauncherProcessTest::onlyTheOperatorsDocumentLeadsToALoginPage() {
    QFETCH(QString, document);
    TestSite site;
    TestSite lookAlike;
    const std::string signedDocument =
        signedWithTestKey(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    std::string served = signedDocument;
    if (document == QStringLiteral("rewritten")) {
        const std::string address = site.address(QStringLiteral("/")).toStdString();
        served.replace(served.find(address), address.size(),
                       lookAlike.address(QStringLiteral("/")).toStdString());
    } else if (document == QStringLiteral("unsigned")) {
        served = updateDocumentFor(lookAlike, QStringLiteral("Tarvenne Online"));
    }
    const bool taken = document == QStringLiteral("signed");
    DirectoryServer directory(served);
    LauncherProcess launcher(underTestWithTestKey(), directory.updateDocumentAddress());
    X11Client desktop;

    const QString title = taken ? QStringLiteral("Tarvenne Online") : QStringLiteral("Login");
    std::optional<std::uint32_t> login;
    QTRY_VERIFY_WITH_TIMEOUT((login = desktop.viewableWindow(launcher.pid(), title)), timeout);
    QTRY_COMPARE_WITH_TIMEOUT(launcher.windows().size(), 1, timeout);
    if (taken) {
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), timeout);
        QVERIFY(launcher.boxes().isEmpty());
    } else {
        QCOMPARE(launcher.boxes().size(), 1);
        QCOMPARE(launcher.boxes().first().value("text").toString(),
                 QStringLiteral("The update document is not signed by the operator."));
    }
    desktop.requestClose(*login);
    QVERIFY(launcher.endsWithStatusZero(timeout));
    QVERIFY(!lookAlike.answered(QStringLiteral("/login.html")));
    QCOMPARE(site.answered(QStringLiteral("/login.html")), taken);
}

QTEST_GUILESS_MAIN(LauncherProcessTest)
#include "launcher_process_test.moc"
