#include "browser/page_view.h"

#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWebEngineContextMenuRequest>
#include <QWebEnginePage>

namespace tarvenne::ui {
namespace {

// How long after the player's click or key a page may still act on it: what the click started
// (a download, a window, another address) reaches the launcher within this time.
constexpr qint64 playerActionMs = 2000;
// How long a notice stays up.
constexpr int noticeMs = 4000;
constexpr int noticeMargin = 12;

bool isPlayersAction(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        return true;
    default:
        return false;
    }
}

// The page's own action, enabled as the request says.
void addPageAction(QMenu& menu, QWebEnginePage& page, QWebEnginePage::WebAction which,
                   bool enabled = true) {
    QAction* const action = page.action(which);
    action->setEnabled(enabled);
    menu.addAction(action);
}

} // namespace

PageView::PageView(QWidget* parent)
    : QWebEngineView(parent), notice_(new QLabel(this)), noticeTime_(new QTimer(this)) {
    notice_->setObjectName(QStringLiteral("pageNotice"));
    notice_->setTextFormat(Qt::PlainText);
    notice_->setAttribute(Qt::WA_TransparentForMouseEvents);
    notice_->setStyleSheet(
        QStringLiteral("QLabel { background: rgba(32, 32, 32, 224); color: white;"
                       " border-radius: 4px; padding: 6px 12px; }"));
    notice_->hide();
    noticeTime_->setSingleShot(true);
    noticeTime_->setInterval(noticeMs);
    connect(noticeTime_, &QTimer::timeout, notice_, &QWidget::hide);
}

bool PageView::playerJustActed() const {
    return sincePlayerActed_.isValid() && sincePlayerActed_.elapsed() < playerActionMs;
}

void PageView::showNotice(const QString& text) {
    notice_->setText(text);
    notice_->adjustSize();
    placeNotice();
    notice_->raise();
    notice_->show();
    noticeTime_->start();
}

void PageView::placeNotice() {
    notice_->move((width() - notice_->width()) / 2, noticeMargin);
}

void PageView::contextMenuEvent(QContextMenuEvent* event) {
    const QWebEngineContextMenuRequest* const request = lastContextMenuRequest();
    QWebEnginePage* const shown = page();
    if (!request || !shown)
        return;
    auto* const menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("pageMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto flags = request->editFlags();
    if (request->isContentEditable()) {
        addPageAction(*menu, *shown, QWebEnginePage::Cut,
                      flags.testFlag(QWebEngineContextMenuRequest::CanCut));
        addPageAction(*menu, *shown, QWebEnginePage::Copy,
                      flags.testFlag(QWebEngineContextMenuRequest::CanCopy));
        addPageAction(*menu, *shown, QWebEnginePage::Paste,
                      flags.testFlag(QWebEngineContextMenuRequest::CanPaste));
        menu->addSeparator();
        addPageAction(*menu, *shown, QWebEnginePage::SelectAll,
                      flags.testFlag(QWebEngineContextMenuRequest::CanSelectAll));
    } else if (!request->selectedText().isEmpty()) {
        addPageAction(*menu, *shown, QWebEnginePage::Copy);
    }
    if (!request->linkUrl().isEmpty()) {
        if (!menu->isEmpty())
            menu->addSeparator();
        addPageAction(*menu, *shown, QWebEnginePage::CopyLinkToClipboard);
    }
    if (menu->isEmpty()) {
        // enabled by the page as its history allows
        menu->addAction(shown->action(QWebEnginePage::Back));
        menu->addAction(shown->action(QWebEnginePage::Forward));
        menu->addAction(shown->action(QWebEnginePage::Reload));
    }
    menu->popup(event->globalPos());
}

bool PageView::event(QEvent* event) {
    // The engine draws the page and takes the player's input in a child widget of its own, made
    // when the page first needs it.
    if (event->type() == QEvent::ChildAdded) {
        QObject* const child = static_cast<QChildEvent*>(event)->child();
        if (child->isWidgetType() && child != notice_)
            child->installEventFilter(this);
    } else if (event->type() == QEvent::Resize) {
        placeNotice();
    }
    return QWebEngineView::event(event);
}

bool PageView::eventFilter(QObject* watched, QEvent* event) {
    if (isPlayersAction(*event))
        sincePlayerActed_.start();
    return QWebEngineView::eventFilter(watched, event);
}

} // namespace tarvenne::ui
