#include "browser/browser_window.h"

#include "browser/web_browser.h"

#include <QList>
#include <QVBoxLayout>

namespace tarvenne::ui {
namespace {

QList<BrowserWindow*> openWindows;

constexpr QSize defaultSize{800, 600};

} // namespace

BrowserWindow::BrowserWindow(const QRect& requestedGeometry)
    : QWidget(nullptr, Qt::Window), browser_(new WebBrowser(this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    auto* const layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    if (requestedGeometry.isValid())
        setGeometry(requestedGeometry);
    else
        resize(defaultSize);
    connect(browser_, &QWebEngineView::titleChanged, this, &QWidget::setWindowTitle);
    openWindows.append(this);
}

BrowserWindow::~BrowserWindow() {
    openWindows.removeOne(this);
}

void BrowserWindow::closeAll() {
    while (!openWindows.isEmpty())
        delete openWindows.takeLast();
}

} // namespace tarvenne::ui
