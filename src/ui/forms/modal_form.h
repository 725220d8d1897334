#pragma once

#include <QWidget>

class QEventLoop;

namespace tarvenne::ui {

// The result of a window's modal run.
enum ModalResult : int { None = 0, Ok = 1, Cancel = 2 };

// A top-level window that can run modally. The run ends as soon as its modal result is set
// to anything but None: by a handler, by a request to close the window (Cancel) or by the
// terminate request (Cancel). Escape and Enter do not end it.
class ModalForm : public QWidget {
public:
    explicit ModalForm(QWidget* owner);

    // Shows the window modal to its owner, handles events until the modal result is set, hides
    // the window and returns the result. Windows opened during the run stay free for the
    // player.
    int ShowModal();

    int modalResult() const { return modalResult_; }
    // A plain stored value: a running modal loop sees it once the current event has been
    // handled. During a run the first result other than None stands.
    void setModalResult(int result);

    // The window whose modal run is going on, if any.
    static ModalForm* running();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    int modalResult_ = ModalResult::None;
    QEventLoop* loop_ = nullptr;
};

} // namespace tarvenne::ui
