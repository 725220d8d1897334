#include "forms/normal_state.h"

#include <QEvent>
#include <QMetaObject>
#include <QWidget>

namespace tarvenne::ui {
namespace {

class NormalStateKeeper : public QObject {
public:
    explicit NormalStateKeeper(QWidget& window) : QObject(&window), window_(window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange && (window_.windowState() & otherStates)) {
            // once the window system has finished with the change
            QMetaObject::invokeMethod(
                this, [this] { window_.setWindowState(window_.windowState() & ~otherStates); },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    static constexpr Qt::WindowStates otherStates =
        Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

    QWidget& window_;
};

} // namespace

void keepInNormalState(QWidget& window) {
    new NormalStateKeeper(window);
}

} // namespace tarvenne::ui
