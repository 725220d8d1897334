#include "message_box_watcher.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>

namespace tarvenne::ui::test {

MessageBoxWatcher::MessageBoxWatcher(std::function<void(const ShownBox&)> onShown)
    : onShown_(std::move(onShown)) {
    QCoreApplication::instance()->installEventFilter(this);
}

MessageBoxWatcher::~MessageBoxWatcher() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

bool MessageBoxWatcher::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show)
        return false;
    auto* const box = qobject_cast<QMessageBox*>(watched);
    if (!box)
        return false;
    const ShownBox seen{box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
                        box->windowModality() == Qt::ApplicationModal};
    shown_.append(seen);
    if (onShown_)
        onShown_(seen);
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
