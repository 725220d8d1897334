#include "main_window/main_window.h"

#include "browser/guarded_page.h"
#include "browser/page_view.h"
#include "look/design_font.h"
#include "look/window_title.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QShowEvent>
#include <QVBoxLayout>
#include <QWebEngineFullScreenRequest>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWindow>
#include <base/error_text.h>

namespace tarvenne::ui {
namespace {

constexpr QSize designSize{968, 569};

// Takes the top-level page's scroll bars, border and margin away, in that order, in the
// launcher's own script world, and evaluates to the failure's text, empty when there is none.
// The viewport takes its scroll bars from the root element, or from the body while the root
// element leaves them alone; the body, once the root element has taken them over, would show
// them around itself. So both lose theirs. Each value outranks what the page's style sheets set,
// important rules included. A document that is not a web page (XML, SVG) has no body; an XHTML
// page has one.
constexpr char restyleScript[] = R"js(
(() => {
    'use strict';
    const body = document.body;
    if (body === null)
        return document instanceof HTMLDocument
            ? 'Invalid variant operation'
            : "Method 'Body' not supported by automation object";
    document.documentElement.style.setProperty('overflow', 'hidden', 'important');
    body.style.setProperty('overflow', 'hidden', 'important');
    body.style.setProperty('border', 'none', 'important');
    body.style.setProperty('margin', '0px', 'important');
    return '';
})()
)js";

} // namespace

MainWindow::MainWindow(QWebEngineProfile* profile)
    : QWidget(nullptr, Qt::Window), gameView_(new PageView(this)),
      gamePage_(new GuardedPage(profile, gameView_)) {
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(QStringLiteral("Form1"));
    setFont(designFont());
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
    resize(designSize);
    // Only the state for now: setting it through the native window would make that window
    // here, before the web view is in place; putting the view in would make it anew.
    overrideWindowState(Qt::WindowMaximized);

    gameView_->setObjectName(QStringLiteral("gameView"));
    gameView_->setPage(gamePage_);
    connect(gamePage_, &GuardedPage::documentCompleted, this, &MainWindow::restyleGamePage);
    connect(gamePage_, &GuardedPage::stoppedWorking, this, &MainWindow::failed);
    gamePage_->openNewWindowsSeparately();
    gamePage_->settings()->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, true);
    connect(gamePage_, &QWebEnginePage::fullScreenRequested, this,
            &MainWindow::answerFullScreenRequest);
    gamePage_->allowPointerLockOnPlayersAction();
    // Escape reaches the window before the page, whatever the page does with its keys.
    QApplication::instance()->installEventFilter(this);
    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(gameView_);
    // The browser has its design size before any page reaches it.
    layout->activate();
}

void MainWindow::setTitle(const QString& title) {
    setExactWindowTitle(*this, title);
}

void MainWindow::restyleGamePage() {
    gamePage_->runJavaScript(QString::fromUtf8(restyleScript), QWebEngineScript::ApplicationWorld,
                             [window = QPointer<MainWindow>(this)](const QVariant& answer) {
                                 // No answer means that the document went away before the script
                                 // could run.
                                 const QString failure = answer.toString();
                                 if (!failure.isEmpty() && window)
                                     emit window->failed(QString::fromStdU16String(
                                         withFullStop(failure.toStdU16String())));
                             });
}

void MainWindow::answerFullScreenRequest(QWebEngineFullScreenRequest request) {
    if (!request.toggleOn()) {
        request.accept();
        if (isFullScreen())
            showMaximized();
        return;
    }
    if (!gameView_->playerJustActed() || !isVisible()) {
        request.reject();
        return;
    }
    request.accept();
    showFullScreen();
    gameView_->showNotice(QStringLiteral("Press Esc to leave full screen"));
}

bool MainWindow::giveBackScreenAndPointer() {
    // The engine locks the pointer by grabbing it for the page's widget.
    const QWidget* const grabber = QWidget::mouseGrabber();
    const bool pointerLocked = grabber && gameView_->isAncestorOf(grabber);
    if (pointerLocked)
        gamePage_->runJavaScript(QStringLiteral("document.exitPointerLock()"),
                                 QWebEngineScript::ApplicationWorld);
    if (!isFullScreen())
        return pointerLocked;
    // The window comes back whatever the page does; the page is told that it left full screen.
    gamePage_->triggerAction(QWebEnginePage::ExitFullScreen);
    showMaximized();
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && isActiveWindow() &&
        giveBackScreenAndPointer())
        return true;
    return QWidget::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
    // The native window, made or made anew since the state was set, takes the state as it
    // comes up: its first making sends no WinIdChange.
    if (!event->spontaneous())
        windowHandle()->setWindowStates(windowState());
    QWidget::showEvent(event);
}

bool MainWindow::event(QEvent* event) {
    // The native window is made anew when the web engine's view first needs its surface; a new
    // native window knows neither that the window is maximised nor that its title is empty.
    if (event->type() == QEvent::WinIdChange) {
        if (QWindow* native = windowHandle())
            native->setWindowStates(windowState());
        keepEmptyTitle(*this);
    }
    return QWidget::event(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The main loop ends once the events queued ahead of this one have been handled.
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    event->accept();
}

} // namespace tarvenne::ui
