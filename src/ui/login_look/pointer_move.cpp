#include "login_look/pointer_move.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tarvenne::ui {
namespace {

bool isLeftButton(QEvent* event, QEvent::Type type) {
    return event->type() == type && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

} // namespace

// Made during the first press's first move; it then watches the handle for later presses.
PointerMove::PointerMove(QWidget& handle) : QObject(&handle), window_(*handle.window()) {
    handle.installEventFilter(this);
}

void PointerMove::start(QWidget& handle, QPoint globalPos) {
    PointerMove* move = nullptr;
    for (QObject* child : handle.children()) {
        if (auto* found = dynamic_cast<PointerMove*>(child))
            move = found;
    }
    if (!move)
        move = new PointerMove(handle);
    move->begin(globalPos);
}

void PointerMove::begin(QPoint globalPos) {
    if (phase_ != Phase::Pressed)
        return;
    // The window manager's move follows the pointer until the button is released. Until it has
    // taken the pointer over, mouse moves still reach the handle with the button held: only a
    // new press starts another move.
    if (QWindow* native = window_.windowHandle(); native && native->startSystemMove()) {
        phase_ = Phase::Finished;
        return;
    }
    phase_ = Phase::MovingByHand;
    grabOffset_ = globalPos - window_.pos();
}

bool PointerMove::eventFilter(QObject*, QEvent* event) {
    if (isLeftButton(event, QEvent::MouseButtonPress)) {
        phase_ = Phase::Pressed;
    } else if (isLeftButton(event, QEvent::MouseButtonRelease)) {
        phase_ = Phase::Finished;
    } else if (event->type() == QEvent::MouseMove && phase_ == Phase::MovingByHand) {
        const auto* move = static_cast<QMouseEvent*>(event);
        window_.move(move->globalPosition().toPoint() - grabOffset_);
    }
    return false;
}

} // namespace tarvenne::ui
