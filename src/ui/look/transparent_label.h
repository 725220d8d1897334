#pragma once

#include <QString>
#include <QWidget>
#include <optional>

namespace tarvenne::ui {

// A one-line label without background, border or margin: the window shows through around its
// glyphs. It sizes itself to its text whenever the text changes (an empty text is measured as
// one space) and never takes the keyboard focus. Ampersands are mnemonic markers
// (see withoutMnemonics). The text is drawn in the palette's window-text colour.
class TransparentLabel final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(TransparentLabel)

public:
    // A label whose left edge stays where it is placed.
    TransparentLabel(QWidget* parent, const QFont& font);

    const QString& text() const { return text_; }
    void setText(const QString& text);

    // Keeps the text's centre on x `anchorX`: the label grows equally to both sides, its left
    // edge at anchorX - ceil(width / 2).
    void centreOn(int anchorX);

signals:
    // The left button pressed and released over the label.
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void measure();

    QString text_;
    std::optional<int> anchorX_;
    bool pressed_ = false;
};

} // namespace tarvenne::ui
