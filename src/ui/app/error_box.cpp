#include "app/error_box.h"

#include "app/application.h"
#include "boxes/box_run.h"

#include <QMessageBox>
#include <QWidget>
#include <base/error.h>
#include <base/error_text.h>

namespace tarvenne::ui {

void showErrorBox(const std::exception& failure) {
    const auto text = tarvenne::errorBoxText(failure);
    if (!text)
        return;
    Application* const application = Application::instance();
    const QString message = QString::fromStdU16String(*text);
    // The same failure, arriving again while its box is up (a page that fails over and over),
    // adds no box.
    if (!application->startShowingError(message))
        return;
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QMessageBox box(QMessageBox::Critical, application->title(), message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    runBox(box);
    application->stopShowingError(message);
}

void showErrorBox(const QString& message) {
    showErrorBox(Error(message.toStdU16String()));
}

} // namespace tarvenne::ui
