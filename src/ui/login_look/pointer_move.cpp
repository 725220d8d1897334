#include "login_look/pointer_move.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace tarvenne::ui {

PointerMove::PointerMove(QWidget& handle, QPoint grabOffset)
    : QObject(&handle), window_(*handle.window()), grabOffset_(grabOffset) {
    handle.installEventFilter(this);
}

void PointerMove::start(QWidget& handle, QPoint globalPos) {
    if (handle.findChild<PointerMove*>(QString(), Qt::FindDirectChildrenOnly))
        return;
    QWidget& window = *handle.window();
    // The window manager's move follows the pointer until the button is released; where
    // there is none (or it offers no such move), the window follows the grab's mouse moves.
    if (QWindow* native = window.windowHandle(); native && native->startSystemMove())
        return;
    new PointerMove(handle, globalPos - window.pos());
}

bool PointerMove::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        window_.move(move->globalPosition().toPoint() - grabOffset_);
    } else if (event->type() == QEvent::MouseButtonRelease &&
               static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        watched->removeEventFilter(this);
        setParent(nullptr);
        deleteLater();
    }
    return false;
}

} // namespace tarvenne::ui
