#include "launcher_report.h"

#include <QCoreApplication>
#include <QEvent>
#include <QJsonDocument>
#include <QJsonObject>
#include <QWidget>
#include <cstdio>

namespace tarvenne::ui::test {
namespace {

void report(const QJsonObject& line) {
    std::fprintf(stderr, "%s\n", QJsonDocument(line).toJson(QJsonDocument::Compact).constData());
    std::fflush(stderr);
}

} // namespace

LauncherReport::LauncherReport(QObject* parent)
    : QObject(parent), boxes_([](const ShownBox& box) {
          report({{"box", QJsonObject{{"caption", box.caption},
                                      {"text", box.text},
                                      {"critical", box.icon == QMessageBox::Critical},
                                      {"onlyOk", box.buttons == QMessageBox::Ok},
                                      {"modal", box.applicationModal}}}});
      }) {
    QCoreApplication::instance()->installEventFilter(this);
}

bool LauncherReport::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Show || event->spontaneous())
        return false;
    auto* const widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->isWindow() && !qobject_cast<QMessageBox*>(widget))
        report({{"shown", widget->objectName()},
                {"title", widget->windowTitle()},
                {"maximized", widget->isMaximized()}});
    return false;
}

} // namespace tarvenne::ui::test
