// The login gate and the hand-off, in process: the real windows and browsers, against the
// tests' own directory server and site.
#include "app/terminate_request.h"
#include "browser/browser_window.h"
#include "browser/web_browser.h"
#include "browser_windows.h"
#include "error_box/error_box.h"
#include "forms/form_creation.h"
#include "gate_driver.h"
#include "login_window/login_window.h"
#include "main_window/main_window.h"
#include "message_box_watcher.h"
#include "page_script.h"
#include "test_site.h"
#include "ui_test_main.h"
#include "x11_client.h"

#include <QApplication>
#include <QTest>
#include <QTimer>
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

} // namespace

class LauncherFlowTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void handOffBringsTheGameIntoTheMainWindow();
    void newWindowWithoutHandOff_data();
    void newWindowWithoutHandOff();
    void escapeAndEnterKeepTheGate();
    void terminateRequestEndsTheGate();
    void lateCloseKeepsTheHandOffResult();
    void directoryStepOfTheLoginWindow_data();
    void directoryStepOfTheLoginWindow();
    void mainWindowDocuments_data();
    void mainWindowDocuments();
    void errorBoxCanOnlyBeMovedAndClosed();
    void failureInAnEventHandler_data();
    void failureInAnEventHandler();

private:
    MessageBoxWatcher boxes_;
};

void LauncherFlowTest::cleanup() {
    // A gate that ended without the hand-off has sent the terminate request; it belongs to
    // that run only.
    QCoreApplication::removePostedEvents(QCoreApplication::instance(), terminateRequestEvent());
    delete Form1;
    Form1 = nullptr;
    BrowserWindow::closeAll();
    boxes_.clear();
}

void LauncherFlowTest::handOffBringsTheGameIntoTheMainWindow() {
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    const QString gameAddress = site.address(QStringLiteral("/me.php?FQ=1"));

    duringGate([&](TLogin& login) {
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), pageTimeout);
        const QPoint link = TestSite::link(QStringLiteral("handoff")).centre;
        hover(login, link);
        QTRY_COMPARE(login.NewURL, gameAddress);
        QCOMPARE(Form1->url, login.NewURL);
        click(login, link);
        QTRY_COMPARE(login.modalResult(), ModalResult::Ok);
    });
    createForm(Form1, directory.updateListUrl().toStdString());

    QVERIFY(!Form1->findChild<TLogin*>());
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Tarvenne Online"));
    Form1->show();
    QVERIFY(Form1->isMaximized());
    QTRY_COMPARE_WITH_TIMEOUT(Form1->web_select->url().toString(), gameAddress, pageTimeout);
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(Form1->web_select->page(), bodyStyle).toString(), styledBody,
                              pageTimeout);
    QTRY_COMPARE(evaluate(Form1->web_select->page(), QStringLiteral("innerWidth")).toInt(),
                 Form1->web_select->width());
    QCOMPARE(evaluate(Form1->web_select->page(),
                      QStringLiteral("document.getElementById('cookie').textContent"))
                 .toString(),
             QString::fromLatin1(TestSite::sessionCookie));
    QVERIFY(browserWindows().isEmpty());
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

// A new-window request made while the last status text lacks the marker opens in a window
// of the component's own, whatever it asks for, and the gate goes on. The login window's
// modal run leaves that window free for the player.
void LauncherFlowTest::newWindowWithoutHandOff() {
    QFETCH(QStringList, hovered);
    QFETCH(QString, opened);
    QFETCH(bool, byClick);
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));

    duringGate([&](TLogin& login) {
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), pageTimeout);
        for (const QString& id : hovered) {
            hover(login, TestSite::link(id).centre);
            QTRY_COMPARE(login.NewURL, site.address(TestSite::link(id).path));
        }
        const QString lastStatus = login.NewURL;
        if (byClick) {
            click(login, TestSite::link(opened).centre);
        } else {
            evaluate(login.web_xszd->page(),
                     QStringLiteral("document.getElementById('%1').click()").arg(opened));
        }
        QTRY_COMPARE_WITH_TIMEOUT(browserWindows().size(), 1, pageTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(browserWindows().first()->browser()->url().toString(),
                                  site.address(TestSite::link(opened).path), pageTimeout);
        QCOMPARE(login.NewURL, lastStatus);
        QCOMPARE(Form1->url, login.NewURL);
        // The separate window takes the player's clicks while the gate goes on.
        BrowserWindow* const separate = browserWindows().first();
        QVERIFY(separate->isVisible());
        // Until the page's own title arrives, the view's title is its address.
        const QString title = TestSite::link(opened).title;
        QTRY_COMPARE_WITH_TIMEOUT(separate->browser()->title(), title, pageTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted/") + title), pageTimeout);
        X11Client display;
        display.movePointer(separate->mapToGlobal(QPoint(100, 100)));
        display.clickLeftButton();
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/clicked/") + title), pageTimeout);
        QVERIFY(login.isVisible());
        QCOMPARE(login.modalResult(), ModalResult::None);
    });
    createForm(Form1, directory.updateListUrl().toStdString());

    QCOMPARE(Form1->windowTitle(), QStringLiteral("Form1"));
    QVERIFY(Form1->web_select->url().isEmpty());
    QVERIFY(boxes_.shown().isEmpty());
}

// Escape and Enter reach the page; neither they nor the same keys at the window itself end
// the gate.
void LauncherFlowTest::escapeAndEnterKeepTheGate() {
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    bool checked = false;

    duringGate([&](TLogin& login) {
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), pageTimeout);
        login.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&login));
        login.web_xszd->setFocus();
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_A})
            QTest::keyClick(login.windowHandle(), key);
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/key/a")), pageTimeout);
        QVERIFY(site.answered(QStringLiteral("/key/Escape")));
        QVERIFY(site.answered(QStringLiteral("/key/Enter")));
        // A round trip to the page: the browser has handled whatever the page left of the keys.
        evaluate(login.web_xszd->page(), QStringLiteral("0"));
        for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(&login, key);
        QVERIFY(login.isVisible());
        QCOMPARE(login.modalResult(), ModalResult::None);
        checked = true;
    });
    createForm(Form1, directory.updateListUrl().toStdString());

    QVERIFY(checked);
}

// The terminate request, which the close hotspot sends, ends the gate with the cancel
// result although no main loop runs yet.
void LauncherFlowTest::terminateRequestEndsTheGate() {
    TestSite site;
    DirectoryServer directory(updateDocumentFor(site, QStringLiteral("Tarvenne Online")));
    bool ended = false;

    duringGate([&](TLogin& login) {
        sendTerminateRequest();
        QTRY_COMPARE(login.modalResult(), ModalResult::Cancel);
        ended = true;
    });
    createForm(Form1, directory.updateListUrl().toStdString());

    QVERIFY(ended);
    QVERIFY(!Form1->findChild<TLogin*>());
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Form1"));
}

// A close request that reaches the window after the hand-off has set the result, as one
// does on Wayland when another window's native window is made anew, leaves the result alone.
void LauncherFlowTest::lateCloseKeepsTheHandOffResult() {
    ModalForm form(nullptr);
    QTimer::singleShot(0, &form, [&form] {
        form.setModalResult(ModalResult::Ok);
        form.close();
    });

    QCOMPARE(form.ShowModal(), int(ModalResult::Ok));
}

void LauncherFlowTest::directoryStepOfTheLoginWindow_data() {
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QStringList>("record"); // dns, loginp, caption1
    QTest::addColumn<QString>("title");

    QTest::newRow("record chosen")
        << QByteArray("Other|x|y|z^Tarvenne|http://127.0.0.1:1/|login.html|Tarvenne+Online|more")
        << QString() << QStringList{"http://127.0.0.1:1/", "login.html", "Tarvenne Online"}
        << "Tarvenne Online";
    QTest::newRow("no record") << QByteArray("Other|a|b|c") << QString() << QStringList{"", "", ""}
                               << "";
    QTest::newRow("record with too few fields")
        << QByteArray("Tarvenne|http://127.0.0.1:1/|login.html") << "List index out of bounds (3)"
        << QStringList{"", "", ""} << "Login";
    QTest::newRow("faulty escape")
        << QByteArray("Tarvenne|a|b|c%G1") << "Invalid URL encoded character (%G1) at position 15."
        << QStringList{"", "", ""} << "Login";
}

// The login window's creation: the record's values, or one error box after which the
// window keeps its design title; then its show handler sends the browser to the login page
// without a further box, also when no record gave it an address.
void LauncherFlowTest::directoryStepOfTheLoginWindow() {
    QFETCH(QByteArray, document);
    QFETCH(QString, box);
    QFETCH(QStringList, record);
    QFETCH(QString, title);
    DirectoryServer directory(document.toStdString());

    TLogin* created = nullptr;
    const std::unique_ptr<TLogin> login(
        createForm(created, nullptr, directory.updateListUrl().toStdString()));

    QCOMPARE((QStringList{login->dns, login->loginp, login->caption1}), record);
    QCOMPARE(login->windowTitle(), title);
    QCOMPARE(boxes_.shown().size(), box.isNull() ? 0 : 1);
    if (!box.isNull()) {
        const ShownBox& shown = boxes_.shown().first();
        QCOMPARE(shown.text, box);
        QCOMPARE(shown.caption, QStringLiteral("launcher_flow_test"));
        QCOMPARE(shown.icon, QMessageBox::Critical);
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(shown.applicationModal);
    }

    boxes_.clear();
    login->show();
    QVERIFY(boxes_.shown().isEmpty());
    QCOMPARE(login->web_xszd->page()->requestedUrl().toString(), login->dns + login->loginp);
}

void LauncherFlowTest::mainWindowDocuments_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("loaded"); // a further document that the page loads itself
    QTest::addColumn<QString>("box");

    QTest::newRow("web page") << "/me.php" << QString() << QString();
    QTest::newRow("XHTML page") << "/page.xhtml" << QString() << QString();
    QTest::newRow("frame completed after the page") << "/framed.html"
                                                    << "/frame.html" << QString();
    QTest::newRow("SVG drawing") << "/drawing.svg" << QString()
                                 << "Method 'Body' not supported by automation object.";
}

// Every completed document, the page's own and each frame's, leaves the top-level page without
// scroll bars, border and margin, whatever the page set itself. A document without a body (not
// a web page) cannot be styled: one error box, the window stays, and the next document is
// styled as usual.
void LauncherFlowTest::mainWindowDocuments() {
    QFETCH(QString, path);
    QFETCH(QString, loaded);
    QFETCH(QString, box);
    TestSite site;
    Form1 = new TForm1(std::string());
    Form1->show();

    Form1->web_select->Navigate(site.address(path));
    if (!loaded.isNull())
        QTRY_VERIFY_WITH_TIMEOUT(site.answered(loaded), pageTimeout);
    if (box.isNull()) {
        QTRY_COMPARE_WITH_TIMEOUT(evaluate(Form1->web_select->page(), bodyStyle).toString(),
                                  styledBody, pageTimeout);
        QCOMPARE(boxes_.shown().size(), 0);
        return;
    }
    QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown().size(), 1, pageTimeout);
    QCOMPARE(boxes_.shown().first().text, box);
    QVERIFY(Form1->isVisible());

    Form1->web_select->Navigate(site.address(QStringLiteral("/me.php")));
    QTRY_COMPARE_WITH_TIMEOUT(evaluate(Form1->web_select->page(), bodyStyle).toString(), styledBody,
                              pageTimeout);
    QCOMPARE(boxes_.shown().size(), 1);
    QVERIFY(Form1->isVisible());
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
