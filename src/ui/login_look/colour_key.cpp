#include "login_look/colour_key.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace tarvenne::ui {

void applyColourKey(QWidget& window) {
    QPalette palette = window.palette();
    palette.setColor(window.backgroundRole(), QColor(KeyColour));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
#ifdef Q_OS_WIN
    const auto hwnd = reinterpret_cast<HWND>(window.winId());
    SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(hwnd, RGB(qRed(KeyColour), qGreen(KeyColour), qBlue(KeyColour)), 0,
                               LWA_COLORKEY);
#endif
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
    {
        QPainter painter(&composed);
        window.render(&painter, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        composeChildren(painter, window, QPoint(), opaque);
    }
    // The mask image holds 1 for key-coloured pixels; as a bitmap that is color0, which the
    // region leaves out.
    QRegion shown(QBitmap::fromImage(composed.createMaskFromColor(KeyColour, Qt::MaskInColor)));
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
