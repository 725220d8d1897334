#include "boxes/dialog_gate.h"

#include "boxes/box_run.h"

#include <QUrl>
#include <QWidget>

namespace tarvenne::ui {
namespace {

// A dialog that follows the page's previous one this soon comes with the offer to stop the
// page's dialogs.
constexpr qint64 closeFollowingDialogMs = 5000;

} // namespace

DialogGate::Answer DialogGate::ask(PageDialog::Kind kind, const QUrl& origin,
                                   const QString& message, const QString& defaultValue,
                                   QWidget* view) {
    if (!mayShowDialog(view))
        return {};
    PageDialog dialog(kind, origin, message, view);
    dialog.setPromptText(defaultValue);
    if (sinceLastDialog_.isValid() && sinceLastDialog_.elapsed() < closeFollowingDialogMs)
        dialog.offerToStopFurtherDialogs();
    const bool accepted = runBox(dialog) == QDialog::Accepted;
    sinceLastDialog_.start();
    if (dialog.stopsFurtherDialogs())
        stopped_ = true;
    return {accepted, dialog.promptText()};
}

void DialogGate::newDocument() {
    stopped_ = false;
    sinceLastDialog_.invalidate();
}

bool DialogGate::mayShowDialog(const QWidget* view) const {
    // Not from a page whose window is gone or going, as while the launcher ends.
    return !stopped_ && !boxIsWaiting() && view && view->window()->isVisible();
}

} // namespace tarvenne::ui
