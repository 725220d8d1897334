#include "app/terminate_request.h"

#include "app/application.h"

#include <QCoreApplication>

namespace tarvenne::ui {

QEvent::Type terminateRequestEvent() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

void sendTerminateRequest() {
    Application::instance()->noteTerminateRequest();
    QCoreApplication::postEvent(Application::instance(), new QEvent(terminateRequestEvent()));
}

} // namespace tarvenne::ui
