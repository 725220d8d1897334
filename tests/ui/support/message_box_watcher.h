#pragma once

#include <QList>
#include <QMessageBox>
#include <QObject>
#include <QString>
#include <functional>

namespace tarvenne::ui::test {

// What an error box showed.
struct ShownBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    // Whether every page of the application was disabled while the box was up.
    bool pagesDisabled;
};

// Watches the whole application for message boxes: notes each one as it is shown and then
// dismisses it with its OK button, as a player would, unless told to leave the boxes up.
class MessageBoxWatcher : public QObject {
public:
    explicit MessageBoxWatcher(std::function<void(const ShownBox&)> onShown = {});
    ~MessageBoxWatcher() override;

    const QList<ShownBox>& shown() const { return shown_; }
    // Runs `look` on each box that is up, before it is dismissed; none when empty.
    void setBeforeDismiss(std::function<void(QMessageBox&)> look) {
        beforeDismiss_ = std::move(look);
    }
    void clear() { shown_.clear(); }
    void setDismissing(bool dismissing) { dismissing_ = dismissing; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const ShownBox&)> onShown_;
    std::function<void(QMessageBox&)> beforeDismiss_;
    QList<ShownBox> shown_;
    bool dismissing_ = true;
};

} // namespace tarvenne::ui::test
