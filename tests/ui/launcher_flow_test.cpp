// The login gate and the hand-off, in process: the real windows and browsers, against the
// tests' own directory server and site.
#include "app/error_box.h"
#include "browser/browser_window.h"
#include "browser/guarded_page.h"
#include "browser/page_view.h"
#include "launcher_fixture.h"
#include "login_window/login_window.h"
#include "look/transparent_label.h"
#include "message_box_watcher.h"
#include "page_script.h"
#include "test_site.h"
#include "ui_test_main.h"
#include "x11_client.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QWebEngineView>
#include <base/error.h>

using namespace tarvenne::ui;
using namespace tarvenne::ui::test;

namespace {

constexpr int pageTimeout = 30000;

const QString bodyStyle =
    QStringLiteral("(() => { if (!document.body) return '';"
                   "const s = getComputedStyle(document.body);"
                   "return [s.marginTop, s.borderTopStyle, s.overflow].join(' '); })()");
const QString styledBody = QStringLiteral("0px none hidden");

// Whether the screen shows the page without scroll bars: its viewport fills the view, and the
// view's right-hand column, where a vertical scroll bar would be, is the page's white ground
// from top to bottom (a horizontal scroll bar would cross it at the bottom).
bool showsNoScrollBars(QWebEngineView& view) {
    const QVariant fills = evaluate(
        view.page(), QStringLiteral("document.documentElement.clientWidth === innerWidth &&"
                                    "document.documentElement.clientHeight === innerHeight"));
    if (!fills.toBool())
        return false;
    const QPoint topRight = view.mapToGlobal(QPoint(view.width() - 4, 0));
    const QImage column =
        view.screen()->grabWindow(0, topRight.x(), topRight.y(), 1, view.height()).toImage();
    for (int y = 0; y < column.height(); ++y) {
        if (column.pixel(0, y) != qRgb(255, 255, 255))
            return false;
    }
    return !column.isNull();
}

} // namespace

class LauncherFlowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void handOffBringsTheGameIntoTheMainWindow();
    void newWindowWithoutHandOff_data();
    void newWindowWithoutHandOff();
    void escapeAndEnterKeepTheGate();
    void closeSpotEndsTheGate();
    void lateCloseKeepsTheHandOffResult();
    void directoryStepOfTheLoginWindow_data();
    void directoryStepOfTheLoginWindow();
    void mainWindowDocuments_data();
    void mainWindowDocuments();
    void newWindowOfTheGamePage();
    void separateWindowKeptOnScreen_data();
    void separateWindowKeptOnScreen();
    void errorBoxCanOnlyBeMovedAndClosed();
    void failureInAnEventHandler_data();
    void failureInAnEventHandler();

private:
    MessageBoxWatcher boxes_;
};

void LauncherFlowTest::cleanup() {
    boxes_.clear();
}

void LauncherFlowTest::handOffBringsTheGameIntoTheMainWindow() {
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    const QString gameAddress = site.address(QStringLiteral("/me.php?FQ=1"));
    LauncherFixture launcher;

    const bool handedOff =
        launcher.passGate(directory.updateDocumentAddress(), [&](LoginWindow& login) {
            QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), pageTimeout);
            const QPoint link = TestSite::link(QStringLiteral("handoff")).centre;
            hover(login, link);
            QTRY_COMPARE(login.hoveredLink(), gameAddress);
            click(login, link);
            QTRY_VERIFY(!login.isVisible());
            QCOMPARE(login.result(), int(QDialog::Accepted));
        });

    QVERIFY(handedOff);
    QVERIFY(!shownLoginWindow());
    MainWindow& mainWindow = launcher.mainWindow();
    QWebEngineView& gameView = launcher.gameView();
    QCOMPARE(mainWindow.windowTitle(), QStringLiteral("Tarvenne Online"));
    mainWindow.show();
    QVERIFY(mainWindow.isMaximized());
    QTRY_COMPARE_WITH_TIMEOUT(gameView.url().toString(), gameAddress, pageTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(gameView.page(), bodyStyle).toString(), styledBody,
                              pageTimeout);
    QTRY_COMPARE(evaluate(gameView.page(), QStringLiteral("innerWidth")).toInt(), gameView.width());
    QCOMPARE(
        evaluate(gameView.page(), QStringLiteral("document.getElementById('cookie').textContent"))
            .toString(),
        QString::fromLatin1(TestSite::sessionCookie));
    QVERIFY(BrowserWindow::openWindows().isEmpty());
    QVERIFY(boxes_.shown().isEmpty());
}

void LauncherFlowTest::newWindowWithoutHandOff_data() {
    QTest::addColumn<QStringList>("hovered");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<bool>("byClick");

    QTest::newRow("link without the marker") << QStringList{"plain"} << "plain" << true;
    QTest::newRow("marker in capitals") << QStringList{"capitals"} << "capitals" << true;
    QTest::newRow("marker replaced by a later status")
        << QStringList{"handoff", "plain"} << "handoff" << false;
    QTest::newRow("request before any status") << QStringList{} << "handoff" << false;
}

// A new-window request made while the last status text lacks the marker never hands off. Opened
// by the player's click, it opens in a separate window, which the login window's modal run
// leaves free for the player; opened by script, without a click, it is refused.
void LauncherFlowTest::newWindowWithoutHandOff() {
    QFETCH(QStringList, hovered);
    QFETCH(QString, opened);
    QFETCH(bool, byClick);
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    LauncherFixture launcher;

    const bool handedOff =
        launcher.passGate(directory.updateDocumentAddress(), [&](LoginWindow& login) {
            QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), pageTimeout);
            for (const QString& id : hovered) {
                hover(login, TestSite::link(id).centre);
                QTRY_COMPARE(login.hoveredLink(), site.address(TestSite::link(id).path));
            }
            const QString lastStatus = login.hoveredLink();
            if (!byClick) {
                evaluate(loginView(login).page(),
                         QStringLiteral("document.getElementById('%1').click()").arg(opened));
                // A round trip to the page: the request has been made and answered by now.
                evaluate(loginView(login).page(), QStringLiteral("0"));
                QCoreApplication::processEvents();
                QVERIFY(BrowserWindow::openWindows().isEmpty());
                QVERIFY(!site.answered(TestSite::link(opened).path));
                QVERIFY(login.isVisible());
                return;
            }
            click(login, TestSite::link(opened).centre);
            QTRY_COMPARE_WITH_TIMEOUT(BrowserWindow::openWindows().size(), 1, pageTimeout);
            BrowserWindow* const separate = BrowserWindow::openWindows().first();
            const QString address = site.address(TestSite::link(opened).path);
            QTRY_COMPARE_WITH_TIMEOUT(separate->view()->url().toString(), address, pageTimeout);
            QCOMPARE(login.hoveredLink(), lastStatus);
            // The separate window takes the player's clicks while the gate goes on, and shows its
            // page's address, which the player cannot change.
            QVERIFY(separate->isVisible());
            auto& addressField = control<QLineEdit>(*separate, QStringLiteral("addressField"));
            QCOMPARE(addressField.text(), address);
            QVERIFY(addressField.isReadOnly());
            // Until the page's own title arrives, the view's title is its address.
            const QString title = TestSite::link(opened).title;
            QTRY_COMPARE_WITH_TIMEOUT(separate->view()->title(), title, pageTimeout);
            QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted/") + title),
                                     pageTimeout);
            X11Client display;
            display.movePointer(separate->mapToGlobal(QPoint(100, 100)));
            display.clickLeftButton();
            QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/clicked/") + title),
                                     pageTimeout);
            QVERIFY(login.isVisible());
            // The page closes its own window.
            evaluate(separate->view()->page(), QStringLiteral("window.close()"));
            QTRY_VERIFY_WITH_TIMEOUT(BrowserWindow::openWindows().isEmpty(), pageTimeout);
        });

    QVERIFY(!handedOff);
    QCOMPARE(launcher.mainWindow().windowTitle(), QStringLiteral("Form1"));
    QVERIFY(launcher.gameView().url().isEmpty());
    QVERIFY(boxes_.shown().isEmpty());
}

// Escape and Enter reach the page; neither they nor the same keys at the window itself end
// the gate.
void LauncherFlowTest::escapeAndEnterKeepTheGate() {
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    LauncherFixture launcher;
    bool checked = false;

    launcher.passGate(directory.updateDocumentAddress(), [&](LoginWindow& login) {
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), pageTimeout);
        login.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&login));
        loginView(login).setFocus();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_A})
            QTest::keyClick(login.windowHandle(), key);
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/key/a")), pageTimeout);
        QVERIFY(site.answered(QStringLiteral("/key/Escape")));
        QVERIFY(site.answered(QStringLiteral("/key/Enter")));
        // A round trip to the page: the browser has handled whatever the page left of the keys.
        evaluate(loginView(login).page(), QStringLiteral("0"));
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(&login, key);
        QCoreApplication::processEvents();
        QVERIFY(login.isVisible());
        checked = true;
    });

    QVERIFY(checked);
}

// A click on the close spot ends the gate without the hand-off, also while the login page is
// still being fetched.
void LauncherFlowTest::closeSpotEndsTheGate() {
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    LauncherFixture launcher;

    const bool handedOff =
        launcher.passGate(directory.updateDocumentAddress(), [&](LoginWindow& login) {
            QTest::mouseClick(&control<TransparentLabel>(login, QStringLiteral("closeSpot")),
                              Qt::LeftButton);
            QVERIFY(!login.isVisible());
            QCOMPARE(login.result(), int(QDialog::Rejected));
        });

    QVERIFY(!handedOff);
    QCOMPARE(launcher.mainWindow().windowTitle(), QStringLiteral("Form1"));
}

// A close request that reaches the window after the hand-off has set the result, as one
// does on Wayland when another window's native window is made anew, leaves the result alone.
void LauncherFlowTest::lateCloseKeepsTheHandOffResult() {
    LauncherFixture launcher;
    LoginWindow login(launcher.mainWindow().gamePage());
    QTimer::singleShot(0, &login, [&login] {
        login.accept();
        login.close();
        login.reject();
    });

    QCOMPARE(login.exec(), int(QDialog::Accepted));
}

void LauncherFlowTest::directoryStepOfTheLoginWindow_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("loginAddress");
    QTest::addColumn<QString>("title");

    QTest::newRow("record chosen")
        << QByteArray("Other|x|y|z^Tarvenne|http://127.0.0.1:1/|login.html|Tarvenne+Online|more")
        << QString() << "http://127.0.0.1:1/login.html"
        << "Tarvenne Online";
    QTest::newRow("no record: no address") << QByteArray("Other|a|b|c") << QString() << ""
                                           << "";
    QTest::newRow("address and port without a scheme")
        << QByteArray("Tarvenne|127.0.0.1:1/|login.html|Tarvenne") << QString()
        << "http://127.0.0.1:1/login.html"
        << "Tarvenne";
    QTest::newRow("host name and port without a scheme")
        << QByteArray("Tarvenne|localhost:1/|login.html|Tarvenne") << QString()
        << "http://localhost:1/login.html"
        << "Tarvenne";
    QTest::newRow("bare file name")
        << QByteArray("Tarvenne|login|.html|Tarvenne") << QString() << "http://login.html/"
        << "Tarvenne";
    QTest::newRow("path without a host")
        << QByteArray("Tarvenne|/|login.html|Tarvenne")
        << "The login page's address \"/login.html\" is not a web address."
        << ""
        << "Tarvenne";
    QTest::newRow("record with too few fields")
        << QByteArray("Tarvenne|http://127.0.0.1:1/|login.html") << "List index out of bounds (3)"
        << ""
        << "Login";
    QTest::newRow("faulty escape")
        << QByteArray("Tarvenne|a|b|c%G1") << "Invalid URL encoded character (%G1) at position 15."
        << ""
        << "Login";
}

// The gate's fetch: the record's login page and title, or one error box after which the window
// keeps its design title; then the login window sends its browser to the login page as an
// address bar reads it (without a scheme it is an http:// address) without a further box, and
// leaves the browser empty when no record gave it an address. An address that cannot be made
// into a web address is the one box.
void LauncherFlowTest::directoryStepOfTheLoginWindow() {
    QFETCH(QByteArray, document);
    QFETCH(QString, box);
    QFETCH(QString, loginAddress);
    QFETCH(QString, title);
    DirectoryServer directory(document.toStdString());
    LauncherFixture launcher;

    launcher.passGate(directory.updateDocumentAddress(), [&](LoginWindow& login) {
        QCOMPARE(login.windowTitle(), title);
        QCOMPARE(loginView(login).page()->requestedUrl().toString(), loginAddress);
    });

    QCOMPARE(boxes_.shown().size(), box.isNull() ? 0 : 1);
    if (!box.isNull()) {
        const ShownBox& shown = boxes_.shown().first();
        QCOMPARE(shown.text, box);
        QCOMPARE(shown.caption, QStringLiteral("launcher_flow_test"));
        QCOMPARE(shown.icon, QMessageBox::Critical);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(shown.pagesDisabled);
    }
}

void LauncherFlowTest::mainWindowDocuments_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("loaded"); // a further document that the page loads itself
    QTest::addColumn<QString>("box");

    QTest::newRow("web page") << "/me.php" << QString() << QString();
    QTest::newRow("scroll bars on the root element")
        << "/root-scroll.html" << QString() << QString();
    QTest::newRow("scroll bars on the root element, insisting, and the body")
        << "/both-scroll.html" << QString() << QString();
    QTest::newRow("XHTML page") << "/page.xhtml" << QString() << QString();
    QTest::newRow("frame completed after the page") << "/framed.html"
                                                    << "/frame.html" << QString();
    QTest::newRow("SVG drawing") << "/drawing.svg" << QString()
                                 << "Method 'Body' not supported by automation object.";
}

// Every completed document, the page's own and each frame's, leaves the top-level page without
// scroll bars, border and margin, whatever the page set itself on its root element or its body:
// the screen shows no scroll bar. A document without a body (not
// a web page) cannot be styled: one error box, the window stays, and the next document is
// styled as usual.
void LauncherFlowTest::mainWindowDocuments() {
    QFETCH(QString, path);
    QFETCH(QString, loaded);
    QFETCH(QString, box);
    TestSite site;
    LauncherFixture launcher;
    MainWindow& mainWindow = launcher.mainWindow();
    QWebEngineView& gameView = launcher.gameView();
    mainWindow.show();

    gameView.load(QUrl(site.address(path)));
    if (!loaded.isNull())
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(loaded), pageTimeout);
    if (box.isNull()) {
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(gameView.page(), bodyStyle).toString(), styledBody,
                                  pageTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(showsNoScrollBars(gameView), pageTimeout);
        QCOMPARE(boxes_.shown().size(), 0);
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown().size(), 1, pageTimeout);
    QCOMPARE(boxes_.shown().first().text, box);
    QVERIFY(mainWindow.isVisible());

    gameView.load(QUrl(site.address(QStringLiteral("/me.php"))));
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(gameView.page(), bodyStyle).toString(), styledBody,
                              pageTimeout);
    QCOMPARE(boxes_.shown().size(), 1);
    QVERIFY(mainWindow.isVisible());
}

// A page of the game that opens a new window on the player's click opens it in a separate browser
// window, which keeps the browsers' profile.
void LauncherFlowTest::newWindowOfTheGamePage() {
    TestSite site;
    LauncherFixture launcher;
    QWebEngineView& gameView = launcher.gameView();
    launcher.mainWindow().show();
    QVERIFY(QTest::qWaitForWindowExposed(&launcher.mainWindow()));
    gameView.load(QUrl(site.address(QStringLiteral("/login.html"))));
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), pageTimeout);

    QTest::mouseClick(
        launcher.mainWindow().windowHandle(), Qt::LeftButton, {},
        gameView.mapTo(&launcher.mainWindow(), TestSite::link(QStringLiteral("plain")).centre));

    QTRY_COMPARE_WITH_TIMEOUT(BrowserWindow::openWindows().size(), 1, pageTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(BrowserWindow::openWindows().first()->view()->url().toString(),
                              site.address(QStringLiteral("/news.html")), pageTimeout);
    QCOMPARE(BrowserWindow::openWindows().first()->view()->page()->profile(),
             gameView.page()->profile());
}

void LauncherFlowTest::separateWindowKeptOnScreen_data() {
    QTest::addColumn<QRect>("asked");
    QTest::addColumn<QRect>("kept");
    // A screen of 1000 x 800 from (100, 0), a frame of 5 pixels with a 25-pixel title bar.
    QTest::newRow("within the screen") << QRect(300, 200, 400, 300) << QRect(300, 200, 400, 300);
    QTest::newRow("at the screen's corner") << QRect(100, 0, 400, 300) << QRect(105, 25, 400, 300);
    QTest::newRow("off the far edges") << QRect(900, 700, 400, 300) << QRect(695, 495, 400, 300);
    QTest::newRow("larger than the screen") << QRect(0, 0, 4000, 3000) << QRect(105, 25, 990, 770);
}

// A separate window asked for by a page stays within the screen with its frame: moved where it
// would reach beyond it, and cut where it is larger.
void LauncherFlowTest::separateWindowKeptOnScreen() {
    QFETCH(QRect, asked);
    QFETCH(QRect, kept);
    QCOMPARE(BrowserWindow::keptOnScreen(asked, QRect(100, 0, 1000, 800), QMargins(5, 25, 5, 5)),
             kept);
}

// The error box can be moved and closed, nothing else: the window manager offers neither to
// maximise nor to resize it. openbox offers to minimise every dialog, whatever its hints, its
// window type (dialog or utility) and its owner: that is not checked here.
void LauncherFlowTest::errorBoxCanOnlyBeMovedAndClosed() {
    X11Client display;
    QStringList actions;
    boxes_.setBeforeDismiss([&](QMessageBox&) {
        QVERIFY(QTest::qWaitFor(
            [&] {
                const auto box = display.viewableWindow(QCoreApplication::applicationPid(),
                                                        QStringLiteral("launcher_flow_test"));
                return box && !(actions = display.allowedActions(*box)).isEmpty();
            },
            pageTimeout));
    });
    showErrorBox(tarvenne::Error(u"Broken handler"));
    boxes_.setBeforeDismiss({});

    QCOMPARE(boxes_.shown().size(), 1);
    for (const char* offered : {"MOVE", "CLOSE"})
        QVERIFY2(actions.contains(QLatin1String(offered)), qPrintable(actions.join(' ')));
    for (const char* withheld : {"RESIZE", "MAXIMIZE_HORZ", "MAXIMIZE_VERT"})
        QVERIFY2(!actions.contains(QLatin1String(withheld)), qPrintable(actions.join(' ')));
}

void LauncherFlowTest::failureInAnEventHandler_data() {
    QTest::addColumn<bool>("abort");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("failure") << false << QStringList{"Broken handler."};
    QTest::newRow("abort") << true << QStringList{};
}

// A failure that escapes the handling of an event is shown in the error box, unless it is
// of the abort kind, and the loop goes on with the next event.
void LauncherFlowTest::failureInAnEventHandler() {
    QFETCH(bool, abort);
    QFETCH(QStringList, shown);
    bool nextHandled = false;

    QTimer::singleShot(0, [abort] {
        if (abort)
            throw tarvenne::Abort();
        throw tarvenne::Error(u"Broken handler");
    });
    QTimer::singleShot(0, [&] { nextHandled = true; });
    QTRY_VERIFY(nextHandled);

    QStringList texts;
    for (const ShownBox& box : boxes_.shown())
        texts.append(box.text);
    QCOMPARE(texts, shown);
}

TARVENNE_UI_TEST_MAIN(LauncherFlowTest)
#include "launcher_flow_test.moc"
