#include "browser/event_dispatch.h"

#include "error_box/error_box.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace tarvenne::ui {

void showErrorBoxAfterEvent(std::exception_ptr failure) {
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [failure] {
            try {
                std::rethrow_exception(failure);
            } catch (const std::exception& shown) {
                showErrorBox(shown);
            }
        },
        Qt::QueuedConnection);
}

} // namespace tarvenne::ui
