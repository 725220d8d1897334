// The embedded browser adapter on its own: late-bound access, the new-window request and
// its boundary, the status text.
#include "browser/browser_window.h"
#include "browser/web_browser.h"
#include "browser_windows.h"
#include "message_box_watcher.h"
#include "page_script.h"
#include "test_site.h"
#include "ui_test_main.h"

#include <QApplication>
#include <QTest>
#include <QVBoxLayout>
#include <base/error.h>
#include <memory>

using namespace tarvenne::ui;
using namespace tarvenne::ui::test;

namespace {

constexpr int pageTimeout = 30000;

// A shown window holding one browser.
struct BrowserHost {
    QWidget window;
    WebBrowser* browser = new WebBrowser(&window);

    BrowserHost() {
        auto* const layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(browser);
        window.resize(640, 480);
        window.show();
    }

    void open(const QString& address) {
        browser->Navigate(address);
        QTRY_COMPARE_WITH_TIMEOUT(browser->url().toString(), address, pageTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(!browser->page()->isLoading(), pageTimeout);
    }
};

// "Document.Body.Style.margin=0px": the members read in turn, the member put, the value.
LateBoundPut chain(const QString& notation) {
    const qsizetype equals = notation.indexOf(QLatin1Char('='));
    QStringList members = notation.left(equals).split(QLatin1Char('.'));
    const QString member = members.takeLast();
    return {members, member, notation.mid(equals + 1)};
}

} // namespace

class BrowserTest : public QObject {
    Q_OBJECT

private slots:
    void cleanup();
    void lateBoundPut_data();
    void lateBoundPut();
    void emptyAutomationObject();
    void newWindowRequest_data();
    void newWindowRequest();
    void statusTextFollowsThePointer();

private:
    TestSite site_;
    MessageBoxWatcher boxes_;
};

void BrowserTest::cleanup() {
    BrowserWindow::closeAll();
    boxes_.clear();
}

void BrowserTest::lateBoundPut_data() {
    QTest::addColumn<QStringList>("chains");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("outcome"); // margin, border style, overflow of the body

    QTest::newRow("member names in any letter case")
        << QStringList{"dOcUmEnT.BODY.STYLE.Margin=7px", "Document.Body.style.BORDER=none"}
        << QString() << "7px none visible";
    QTest::newRow("Scroll no hides the page's scroll bars")
        << QStringList{"Document.Body.Scroll=no"} << QString() << "8px none hidden";
    QTest::newRow("missing member on the way")
        << QStringList{"Document.Bodie.Style.margin=7px"}
        << "Method 'Bodie' not supported by automation object"
        << "8px none visible";
    QTest::newRow("missing member to put") << QStringList{"Document.Body.Colour=red"}
                                           << "Method 'Colour' not supported by automation object"
                                           << "8px none visible";
    QTest::newRow("step without an object")
        << QStringList{"Document.Body.parentElement.parentElement.id=x"}
        << "Invalid variant operation"
        << "8px none visible";
    QTest::newRow("the first failure ends the run")
        << QStringList{"Document.Body.Style.margin=7px", "Document.Nothing.x=y",
                       "Document.Body.Style.border=none"}
        << "Method 'Nothing' not supported by automation object"
        << "7px none visible";
}

// The failure text reaches the error box with the full-stop rule; what the chains did
// before it stands.
void BrowserTest::lateBoundPut() {
    QFETCH(QStringList, chains);
    QFETCH(QString, failure);
    QFETCH(QString, outcome);
    BrowserHost host;
    host.open(site_.address(QStringLiteral("/news.html")));
    host.browser->page()->runJavaScript(
        QStringLiteral("document.body.style.border = '3px none red'"));

    std::vector<LateBoundPut> puts;
    for (const QString& notation : chains)
        puts.push_back(chain(notation));
    host.browser->Application().put(puts);

    if (failure.isNull()) {
        QTRY_COMPARE_WITH_TIMEOUT(
            evaluate(host.browser->page(),
                     QStringLiteral("(() => { const s = getComputedStyle(document.body);"
                                    "return [s.marginTop, s.borderTopStyle, s.overflow]"
                                    ".join(' '); })()"))
                .toString(),
            outcome, pageTimeout);
        QCoreApplication::processEvents();
        QVERIFY(boxes_.shown().isEmpty());
    } else {
        QTRY_COMPARE_WITH_TIMEOUT(boxes_.shown().size(), 1, pageTimeout);
        QCOMPARE(boxes_.shown().first().text, failure + QLatin1Char('.'));
        QCOMPARE(evaluate(host.browser->page(),
                          QStringLiteral("(() => { const s = getComputedStyle(document.body);"
                                         "return [s.marginTop, s.borderTopStyle, s.overflow]"
                                         ".join(' '); })()"))
                     .toString(),
                 outcome);
    }
}

void BrowserTest::emptyAutomationObject() {
    try {
        AutomationObject().put({chain(QStringLiteral("Document.Body.Scroll=no"))});
        QFAIL("an empty automation object took a put");
    } catch (const tarvenne::Error& failure) {
        QCOMPARE(QString::fromStdU16String(failure.message()),
                 QStringLiteral("Invalid variant operation"));
    }
}

void BrowserTest::newWindowRequest_data() {
    QTest::addColumn<QString>("handler");
    QTest::addColumn<bool>("ownWindow");
    QTest::addColumn<bool>("inTarget");
    QTest::addColumn<QString>("box");

    QTest::newRow("no handler") << QString() << true << false << QString();
    QTest::newRow("handler leaves it alone") << "alone" << true << false << QString();
    QTest::newRow("handler cancels") << "cancel" << false << false << QString();
    QTest::newRow("handler names another browser") << "target" << false << true << QString();
    QTest::newRow("handler fails after naming a browser")
        << "target then fail" << false << true << "The handler failed.";
}

// Where a page asked for by the login page's plain link opens, by what the handler did;
// a failing handler is stopped at the event's boundary and the component goes on.
void BrowserTest::newWindowRequest() {
    QFETCH(QString, handler);
    QFETCH(bool, ownWindow);
    QFETCH(bool, inTarget);
    QFETCH(QString, box);
    BrowserHost host;
    BrowserHost target;
    int calls = 0;
    if (!handler.isNull()) {
        host.browser->OnNewWindow2 = [&](WebBrowser* sender, AutomationObject& ppDisp,
                                         bool& Cancel) {
            ++calls;
            QCOMPARE(sender, host.browser);
            QVERIFY(ppDisp.isEmpty());
            QVERIFY(!Cancel);
            if (handler == QLatin1String("cancel"))
                Cancel = true;
            if (handler.startsWith(QLatin1String("target")))
                ppDisp = target.browser->Application();
            if (handler.endsWith(QLatin1String("fail")))
                throw tarvenne::Error(u"The handler failed");
        };
    }
    host.open(site_.address(QStringLiteral("/login.html")));

    evaluate(host.browser->page(), QStringLiteral("document.getElementById('plain').click()"));

    const QString news = site_.address(QStringLiteral("/news.html"));
    if (ownWindow) {
        QTRY_COMPARE_WITH_TIMEOUT(browserWindows().size(), 1, pageTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(browserWindows().first()->browser()->url().toString(), news,
                                  pageTimeout);
    }
    if (inTarget)
        QTRY_COMPARE_WITH_TIMEOUT(target.browser->url().toString(), news, pageTimeout);
    if (!box.isNull()) {
        QTRY_COMPARE(boxes_.shown().size(), 1);
        QCOMPARE(boxes_.shown().first().text, box);
    }
    QCoreApplication::processEvents();
    QCOMPARE(calls, handler.isNull() ? 0 : 1);
    QCOMPARE(browserWindows().size(), ownWindow ? 1 : 0);
    QCOMPARE(target.browser->url().toString(), inTarget ? news : QString());
    QCOMPARE(boxes_.shown().size(), box.isNull() ? 0 : 1);
    QCOMPARE(host.browser->url().toString(), site_.address(QStringLiteral("/login.html")));
}

// The status text is the address of the link under the pointer, and empty off the links.
void BrowserTest::statusTextFollowsThePointer() {
    TestSite site;
    BrowserHost host;
    QStringList reports;
    host.browser->OnStatusTextChange = [&](WebBrowser*, const QString& Text) {
        reports.append(Text);
    };
    host.open(site.address(QStringLiteral("/login.html")));
    QTRY_VERIFY_WITH_TIMEOUT(site.answered(QStringLiteral("/painted")), pageTimeout);
    QWindow* const window = host.window.windowHandle();
    const QString news = site.address(QStringLiteral("/news.html"));

    QTest::mouseMove(window, TestSite::link(QStringLiteral("plain")).centre);
    QTRY_VERIFY(!reports.isEmpty() && reports.last() == news);
    QTest::mouseMove(window, QPoint(500, 400));
    QTRY_COMPARE(reports.last(), QString());
}

TARVENNE_UI_TEST_MAIN(BrowserTest)
#include "browser_test.moc"
