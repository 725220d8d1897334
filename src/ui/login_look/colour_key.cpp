#include "login_look/colour_key.h"

#include "login_look/login_layout.h"
#include "login_look/x11_atom.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>
#include <utility>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdlib>
#include <memory>
#endif

namespace tarvenne::ui {
namespace {

using login_layout::keyColour;

#ifndef Q_OS_WIN
// Whether a compositing manager owns the selection that announces it for the X screen.
bool compositingManagerRuns(xcb_connection_t* connection) {
    const xcb_atom_t selection = internAtom(connection, "_NET_WM_CM_S0");
    if (selection == XCB_ATOM_NONE)
        return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection),
                                      nullptr),
        &std::free);
    return owner && owner->owner != XCB_NONE;
}

// Whether the display shows the pixels of windows with their transparency: a Wayland
// compositor always does, an X server while a compositing manager runs.
bool displayComposites() {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland")))
        return true;
    const auto* const x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && compositingManagerRuns(x11->connection());
}
#endif

} // namespace

void applyColourKey(QWidget& window) {
    QPalette palette = window.palette();
    palette.setColor(window.backgroundRole(), QColor(keyColour));
    window.setPalette(palette);
#ifdef Q_OS_WIN
    window.setAutoFillBackground(true);
    const auto hwnd = reinterpret_cast<HWND>(window.winId());
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, RGB(qRed(keyColour), qGreen(keyColour), qBlue(keyColour)), 0,
                               LWA_COLORKEY);
#else
    // Where the display composes windows, the key colour is never drawn: the window's ground
    // is see-through. The native window takes this only when it is made.
    const bool seeThrough = displayComposites();
    window.setAttribute(Qt::WA_TranslucentBackground, seeThrough);
    window.setAutoFillBackground(!seeThrough);
#endif
}

QPixmap keyedOver(const QPixmap& picture) {
    QImage shown(picture.size(), QImage::Format_ARGB32);
    shown.fill(keyColour);
    QPainter(&shown).drawPixmap(0, 0, picture);
    for (int y = 0; y < shown.height(); ++y) {
        auto* const line = reinterpret_cast<QRgb*>(shown.scanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            if (line[x] == keyColour)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(std::move(shown));
}

namespace {

// Draws the descendants of `widget`, which lies at `at`, as the screen shows them: each over
// what lies beneath it, in stacking order, leaving out the controls in `opaque`.
void composeChildren(QPainter& painter, const QWidget& widget, QPoint at,
                     const QList<const QWidget*>& opaque) {
    for (QObject* object : widget.children()) {
        auto* child = qobject_cast<QWidget*>(object);
        if (!child || child->isWindow() || child->isHidden() || opaque.contains(child))
            continue;
        const QPoint childAt = at + child->pos();
        child->render(&painter, childAt, QRegion(), QWidget::RenderFlags());
        composeChildren(painter, *child, childAt, opaque);
    }
}

} // namespace

QRegion keyedRegion(QWidget& window, const QList<const QWidget*>& opaque) {
    QImage composed(window.size(), QImage::Format_RGB32);
    // A window with a see-through ground draws no background of its own.
    composed.fill(keyColour);
    {
        QPainter painter(&composed);
        window.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        composeChildren(painter, window, QPoint(), opaque);
    }
    // The mask image holds 1 for key-coloured pixels; as a bitmap that is color0, which the
    // region leaves out.
    QRegion shown(QBitmap::fromImage(composed.createMaskFromColor(keyColour, Qt::MaskInColor)));
    for (const QWidget* control : opaque)
        if (control->isVisibleTo(&window))
            shown += QRect(control->mapTo(&window, QPoint()), control->size());
    return shown;
}

void cutOutKeyColour(QWidget& window, const QList<const QWidget*>& opaque) {
#ifdef Q_OS_WIN
    Q_UNUSED(window);
    Q_UNUSED(opaque);
#else
    window.setMask(keyedRegion(window, opaque));
#endif
}

} // namespace tarvenne::ui
