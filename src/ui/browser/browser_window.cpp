#include "browser/browser_window.h"

#include "boxes/box_run.h"
#include "browser/guarded_page.h"
#include "browser/page_view.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace tarvenne::ui {
namespace {

constexpr QSize defaultSize{800, 600};

QList<BrowserWindow*> everyBrowserWindow() {
    QList<BrowserWindow*> found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* browserWindow = qobject_cast<BrowserWindow*>(window))
            found.append(browserWindow);
    }
    return found;
}

} // namespace

BrowserWindow::BrowserWindow(QWebEngineProfile* profile, const QRect& requestedGeometry)
    : QWidget(nullptr, Qt::Window), address_(new QLineEdit(this)), view_(new PageView(this)),
      page_(new GuardedPage(profile, view_)) {
    setObjectName(QStringLiteral("browserWindow"));
    view_->setObjectName(QStringLiteral("browserView"));
    view_->setPage(page_);
    page_->openNewWindowsSeparately();
    connect(page_, &QWebEnginePage::windowCloseRequested, this, &QWidget::close);
    address_->setObjectName(QStringLiteral("addressField"));
    address_->setReadOnly(true);
    address_->setFocusPolicy(Qt::ClickFocus);
    connect(view_, &PageView::urlChanged, this,
            [this](const QUrl& url) { address_->setText(url.toString()); });
    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(address_);
    layout->addWidget(view_);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    if (requestedGeometry.isValid())
        setGeometry(keptOnScreen(requestedGeometry, screen, {}));
    else
        resize(defaultSize.boundedTo(screen.size()));
    connect(view_, &PageView::titleChanged, this, &QWidget::setWindowTitle);
}

QList<BrowserWindow*> BrowserWindow::openWindows() {
    QList<BrowserWindow*> open = everyBrowserWindow();
    open.removeIf([](const BrowserWindow* window) { return !window->isVisible(); });
    return open;
}

void BrowserWindow::deleteAll() {
    qDeleteAll(everyBrowserWindow());
}

QRect BrowserWindow::keptOnScreen(const QRect& asked, const QRect& screen, const QMargins& frame) {
    const QRect inner = screen.marginsRemoved(frame);
    QRect kept(asked.topLeft(), asked.size().boundedTo(inner.size()));
    kept.moveLeft(std::clamp(kept.left(), inner.left(), inner.right() - kept.width() + 1));
    kept.moveTop(std::clamp(kept.top(), inner.top(), inner.bottom() - kept.height() + 1));
    return kept;
}

void BrowserWindow::keepOnScreen() {
    QWindow* const native = windowHandle();
    if (!native)
        return;
    const QMargins frame = native->frameMargins();
    if (frame == frameKeptFor_)
        return;
    frameKeptFor_ = frame;
    const QScreen* const screen = native->screen();
    setGeometry(keptOnScreen(geometry(), screen->availableGeometry(), frame));
}

bool BrowserWindow::event(QEvent* event) {
    // The frame's size is known once the window manager has framed the window, which it does
    // before the window is first drawn.
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
        event->type() == QEvent::UpdateRequest || event->type() == QEvent::WindowActivate)
        keepOnScreen();
    return QWidget::event(event);
}

void BrowserWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    closeOnceNoBoxWaits(*this);
}

} // namespace tarvenne::ui
