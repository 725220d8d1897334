#include "app/error_box.h"

#include "app/application.h"
#include "boxes/box_run.h"

#include <QMessageBox>
#include <QWidget>
#include <base/error_text.h>

namespace tarvenne::ui {

void ErrorBoxes::show(const QString& text) {
    if (showing_.contains(text))
        return;
    showing_.append(text);
    if (QWidget* grabber = QWidget::mouseGrabber())
        grabber->releaseMouse();
    QMessageBox box(QMessageBox::Critical, Application::instance()->title(), text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    runBox(box);
    showing_.removeOne(text);
}

void showErrorBox(const std::exception& failure) {
    if (const auto text = tarvenne::errorBoxText(failure))
        showErrorBox(QString::fromStdU16String(*text));
}

void showErrorBox(const QString& text) {
    Application::instance()->errorBoxes().show(text);
}

} // namespace tarvenne::ui
