#include "app/error_box.h"

#include "app/application.h"

#include <QMessageBox>
#include <QWidget>
#include <base/error_text.h>

namespace tarvenne::ui {

void showErrorBox(const std::exception& failure) {
    const auto text = tarvenne::errorBoxText(failure);
    if (!text)
        return;
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QMessageBox box(QMessageBox::Critical, Application::instance()->title(),
                    QString::fromStdU16String(*text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setWindowModality(Qt::ApplicationModal);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

} // namespace tarvenne::ui
