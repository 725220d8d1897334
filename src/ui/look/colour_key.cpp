#include "look/colour_key.h"

#include "look/login_layout.h"
#include "platform/window_system.h"

#include <QBitmap>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QWidget>
#include <utility>

namespace tarvenne::ui {

using login_layout::keyColour;

void applyColourKey(QWidget& window) {
    QPalette palette = window.palette();
    palette.setColor(window.backgroundRole(), QColor(keyColour));
    window.setPalette(palette);
    const WindowSystem& system = windowSystem();
    if (system.hasColourKey()) {
        window.setAutoFillBackground(true);
        system.setColourKey(window, keyColour);
        return;
    }
    // Where the display composes windows, the key colour is never drawn: the window's ground
    // is see-through. The native window takes this only when it is made.
    const bool seeThrough = system.composesWindows();
    window.setAttribute(Qt::WA_TranslucentBackground, seeThrough);
    window.setAutoFillBackground(!seeThrough);
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
    if (!windowSystem().hasColourKey())
        window.setMask(keyedRegion(window, opaque));
}

} // namespace tarvenne::ui
