#include "boxes/box_run.h"

#include <QApplication>
#include <QDialog>
#include <QDrag>
#include <QEventLoop>
#include <QList>
#include <QPointer>
#include <QWebEngineView>
#include <QWidget>

namespace tarvenne::ui {
namespace {

// Marks a box while its run goes on, and a window that goes once no box waits.
constexpr char waitingProperty[] = "tarvenneBoxWaiting";
constexpr char closingProperty[] = "tarvenneClosingAfterBoxes";

QList<QPointer<QWebEngineView>> disableEnabledPages() {
    QList<QPointer<QWebEngineView>> disabled;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (QWebEngineView* view : window->findChildren<QWebEngineView*>()) {
            if (view->isEnabled()) {
                view->setEnabled(false);
                disabled.append(view);
            }
        }
    }
    return disabled;
}

QList<QDialog*> waitingBoxes() {
    QList<QDialog*> found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        auto* const box = qobject_cast<QDialog*>(window);
        if (box && box->property(waitingProperty).toBool())
            found.append(box);
    }
    return found;
}

void deleteClosedWindows() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->property(closingProperty).toBool())
            window->deleteLater();
    }
}

} // namespace

int runBox(QDialog& box) {
    box.setWindowModality(Qt::NonModal);
    const QList<QPointer<QWebEngineView>> disabled = disableEnabledPages();
    QEventLoop loop;
    QObject::connect(&box, &QDialog::finished, &loop, &QEventLoop::quit);
    box.setProperty(waitingProperty, true);
    box.show();
    // Returns at once when the application is ending.
    loop.exec(QEventLoop::DialogExec);
    box.setProperty(waitingProperty, false);
    box.hide();
    for (const QPointer<QWebEngineView>& view : disabled) {
        if (view)
            view->setEnabled(true);
    }
    if (!boxIsWaiting())
        deleteClosedWindows();
    return box.result();
}

bool boxIsWaiting() {
    return !waitingBoxes().isEmpty();
}

void endNestedRuns() {
    for (QDialog* box : waitingBoxes())
        box->reject();
    QDrag::cancel();
}

void closeOnceNoBoxWaits(QWidget& window) {
    window.hide();
    if (boxIsWaiting())
        window.setProperty(closingProperty, true);
    else
        window.deleteLater();
}

} // namespace tarvenne::ui
