#include "forms/window_title.h"

#include "login_look/x11_atom.h"

#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <algorithm>

namespace tarvenne::ui {
namespace {

// Writes the empty title to the native window, over the program's name that the toolkit put
// there: the window manager reads _NET_WM_NAME, older ones WM_NAME.
void writeEmptyNativeTitle(QWidget& window) {
#if QT_CONFIG(xcb)
    auto* const x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window.internalWinId())
        return;
    xcb_connection_t* const connection = x11->connection();
    const auto native = static_cast<xcb_window_t>(window.internalWinId());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, native,
                        internAtom(connection, "_NET_WM_NAME"),
                        internAtom(connection, "UTF8_STRING"), 8, 0, "");
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, native, XCB_ATOM_WM_NAME,
                        XCB_ATOM_STRING, 8, 0, "");
    xcb_flush(connection);
#else
    Q_UNUSED(window);
#endif
}

// Keeps an empty title empty whenever the window gets a native window, which the toolkit titles
// with the program's name.
class EmptyTitleKeeper : public QObject {
public:
    explicit EmptyTitleKeeper(QWidget& window) : QObject(&window) {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* const window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::WinIdChange && window->windowTitle().isEmpty())
            writeEmptyNativeTitle(*window);
        return false;
    }
};

} // namespace

void setExactWindowTitle(QWidget& window, const QString& title) {
    // A doubled placeholder is shown as one literal "[*]".
    window.setWindowTitle(QString(title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]")));
    if (!title.isEmpty())
        return;
    const QObjectList& children = window.children();
    if (std::none_of(children.begin(), children.end(), [](const QObject* child) {
            return dynamic_cast<const EmptyTitleKeeper*>(child) != nullptr;
        }))
        new EmptyTitleKeeper(window);
    writeEmptyNativeTitle(window);
}

} // namespace tarvenne::ui
