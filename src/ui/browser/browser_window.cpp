#include "browser/browser_window.h"

#include "browser/frames_reporting_page.h"

#include <QApplication>
#include <QVBoxLayout>
#include <QWebEngineView>

namespace tarvenne::ui {
namespace {

constexpr QSize defaultSize{800, 600};

} // namespace

BrowserWindow::BrowserWindow(QWebEngineProfile* profile, const QRect& requestedGeometry)
    : QWidget(nullptr, Qt::Window), view_(new QWebEngineView(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* const ownPage = new FramesReportingPage(profile, view_);
    view_->setPage(ownPage);
    connect(ownPage, &QWebEnginePage::newWindowRequested, ownPage,
            &FramesReportingPage::openInSeparateWindow);
    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    if (requestedGeometry.isValid())
        setGeometry(requestedGeometry);
    else
        resize(defaultSize);
    connect(view_, &QWebEngineView::titleChanged, this, &QWidget::setWindowTitle);
}

FramesReportingPage* BrowserWindow::page() const {
    return static_cast<FramesReportingPage*>(view_->page());
}

QList<BrowserWindow*> BrowserWindow::openWindows() {
    QList<BrowserWindow*> found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* browserWindow = qobject_cast<BrowserWindow*>(window))
            found.append(browserWindow);
    }
    return found;
}

BrowserProfile::BrowserProfile() {
    // A profile without a storage name is off the record: cookies, cache and every other store
    // live in memory only.
    setHttpCacheType(QWebEngineProfile::MemoryHttpCache);
    setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    setSpellCheckEnabled(false);
}

BrowserProfile::~BrowserProfile() {
    qDeleteAll(BrowserWindow::openWindows());
}

} // namespace tarvenne::ui
