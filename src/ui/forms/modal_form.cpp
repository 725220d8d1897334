#include "forms/modal_form.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>

namespace tarvenne::ui {
namespace {

ModalForm* runningForm = nullptr;

} // namespace

ModalForm::ModalForm(QWidget* owner) : QWidget(owner, Qt::Window) {}

ModalForm* ModalForm::running() {
    return runningForm;
}

int ModalForm::ShowModal() {
    // Modal to the windows that it was opened over, not to those opened while it runs.
    setWindowModality(Qt::WindowModal);
    show();
    modalResult_ = ModalResult::None;

    QEventLoop loop;
    loop_ = &loop;
    ModalForm* const outer = runningForm;
    runningForm = this;
    loop.exec(QEventLoop::DialogExec);
    runningForm = outer;
    loop_ = nullptr;

    hide();
    return modalResult_;
}

void ModalForm::setModalResult(int result) {
    // The first result of a run ends it; a close or a terminate request that arrives while
    // the run is winding down does not overwrite it.
    if (loop_ && modalResult_ != ModalResult::None)
        return;
    modalResult_ = result;
    if (loop_ && result != ModalResult::None)
        loop_->exit();
}

void ModalForm::closeEvent(QCloseEvent* event) {
    if (loop_)
        setModalResult(ModalResult::Cancel);
    event->accept();
}

} // namespace tarvenne::ui
