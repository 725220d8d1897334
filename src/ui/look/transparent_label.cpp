#include "look/transparent_label.h"

#include "look/mnemonic_text.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

namespace tarvenne::ui {

TransparentLabel::TransparentLabel(QWidget* parent, const QFont& font) : QWidget(parent) {
    setFont(font);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
    measure();
}

void TransparentLabel::setText(const QString& text) {
    text_ = text;
    measure();
    update();
}

void TransparentLabel::centreOn(int anchorX) {
    anchorX_ = anchorX;
    measure();
}

void TransparentLabel::measure() {
    const QFontMetrics metrics(font());
    const QString shown = withoutMnemonics(text_);
    const int width = metrics.horizontalAdvance(shown.isEmpty() ? QStringLiteral(" ") : shown);
    const int left = anchorX_ ? *anchorX_ - (width + 1) / 2 : x();
    setGeometry(left, y(), width, metrics.height());
}

void TransparentLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QPoint(0, QFontMetrics(font()).ascent()), withoutMnemonics(text_));
}

void TransparentLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void TransparentLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = pressed_ && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

} // namespace tarvenne::ui
