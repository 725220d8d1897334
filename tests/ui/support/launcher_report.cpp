#include "launcher_report.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QEvent>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdio>

namespace tarvenne::ui::test {
namespace {

void report(const QJsonObject& line) {
    std::fprintf(stderr, "%s\n", QJsonDocument(line).toJson(QJsonDocument::Compact).constData());
    std::fflush(stderr);
}

QString labelText(const QWidget& dialog, const QString& name) {
    const auto* const label = dialog.findChild<QLabel*>(name);
    return label ? label->text() : QString();
}

} // namespace

LauncherReport::LauncherReport(QObject* parent)
    : QObject(parent), boxes_([](const ShownBox& box) {
          report({{"box", QJsonObject{{"caption", box.caption},
                                      {"text", box.text},
                                      {"critical", box.icon == QMessageBox::Critical},
                                      {"onlyOk", box.buttons == QMessageBox::Ok},
                                      {"pagesDisabled", box.pagesDisabled}}}});
      }),
      answers_(qgetenv("TARVENNE_TEST_ANSWERS")) {
    boxes_.setDismissing(answers_ != "none");
    QCoreApplication::instance()->installEventFilter(this);
}

void LauncherReport::reportPageDialog(QWidget& dialog) {
    auto* const stop = dialog.findChild<QCheckBox*>(QStringLiteral("stopFurtherDialogs"));
    report(
        {{"dialog", QJsonObject{{"title", dialog.windowTitle()},
                                {"origin", labelText(dialog, QStringLiteral("pageDialogOrigin"))},
                                {"message", labelText(dialog, QStringLiteral("pageDialogMessage"))},
                                {"stopOffered", stop != nullptr}}}});
    if (answers_ == "none")
        return;
    QTimer::singleShot(0, &dialog, [this, dialog = QPointer(qobject_cast<QDialog*>(&dialog))] {
        if (!dialog)
            return;
        if (auto* const stop = dialog->findChild<QCheckBox*>(QStringLiteral("stopFurtherDialogs"));
            stop && answers_ == "stop-dialogs")
            stop->setChecked(true);
        dialog->accept();
    });
}

void LauncherReport::reportMenu(const QMenu& menu) {
    QJsonArray entries;
    for (const QAction* action : menu.actions()) {
        if (!action->isSeparator())
            entries.append(action->text().remove(QLatin1Char('&')));
    }
    report({{"menu", entries}});
}

bool LauncherReport::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || event->spontaneous())
        return false;
    auto* const widget = qobject_cast<QWidget*>(watched);
    if (widget && widget->objectName() == QLatin1String("pageNotice")) {
        const auto* const notice = qobject_cast<QLabel*>(widget);
        report({{event->type() == QEvent::Show ? "notice" : "noticeGone", notice->text()}});
        return false;
    }
    if (event->type() != QEvent::Show || !widget || !widget->isWindow() ||
        qobject_cast<QMessageBox*>(widget))
        return false;
    if (const auto* const menu = qobject_cast<QMenu*>(widget))
        reportMenu(*menu);
    else if (widget->objectName() == QLatin1String("pageDialog"))
        reportPageDialog(*widget);
    else
        report({{"shown", widget->objectName()},
                {"title", widget->windowTitle()},
                {"maximized", widget->isMaximized()}});
    return false;
}

} // namespace tarvenne::ui::test
