#include "message_box_watcher.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWebEngineView>
#include <QWidget>

namespace tarvenne::ui::test {
namespace {

bool everyPageDisabled() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (const QWebEngineView* view : window->findChildren<QWebEngineView*>()) {
            if (view->isEnabled())
                return false;
        }
    }
    return true;
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(std::function<void(const ShownBox&)> onShown)
    : onShown_(std::move(onShown)) {
    QCoreApplication::instance()->installEventFilter(this);
}

MessageBoxWatcher::~MessageBoxWatcher() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool MessageBoxWatcher::eventFilter(QObject* watched, QEvent* event) {
    // A box that the window system maps again is the same box.
    if (event->type() != QEvent::Show || event->spontaneous())
        return false;
    auto* const box = qobject_cast<QMessageBox*>(watched);
    if (!box)
        return false;
    const ShownBox seen{box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                        everyPageDisabled()};
    shown_.append(seen);
    if (onShown_)
        onShown_(seen);
    if (!dismissing_)
        return false;
    QTimer::singleShot(0, box, [this, box = QPointer(box)] {
        if (box && beforeDismiss_)
            beforeDismiss_(*box);
        if (!box)
            return;
        if (QAbstractButton* ok = box->button(QMessageBox::Ok))
            ok->click();
        else
            box->reject();
    });
    return false;
}

} // namespace tarvenne::ui::test
