#pragma once

#include <QElapsedTimer>
#include <QWebEngineView>

class QLabel;
class QTimer;

namespace tarvenne::ui {

// A view of one of the launcher's pages. It knows whether the player has just clicked or typed
// in it, which is what lets a page do what only the player may ask for, and it can show the
// player a short notice over the page. Its context menu holds only what works in the launcher:
// Cut, Copy, Paste and Select all in a text field, Copy for a selection, Copy link address on a
// link, and Back, Forward and Reload elsewhere on the page.
class PageView final : public QWebEngineView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageView)

public:
    explicit PageView(QWidget* parent);

    // Whether the player pressed a mouse button or a key in the view a moment ago.
    bool playerJustActed() const;

public slots:
    // Shows `text` at the top of the view for a few seconds, in place of the notice shown
    // before; it takes no input and needs no answer.
    void showNotice(const QString& text);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeNotice();

    QElapsedTimer sincePlayerActed_;
    QLabel* notice_;
    QTimer* noticeTime_;
};

} // namespace tarvenne::ui
