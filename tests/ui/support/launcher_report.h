#pragma once

#include "message_box_watcher.h"

#include <QObject>

class QMenu;

namespace tarvenne::ui::test {

// What the player of a launcher process would see, written to stderr one JSON object a
// line: {"box": {...}} for each message box, {"dialog": {...}} for each dialog of a page, and
// {"shown": name, "title": ..., "maximized": ...} for each top-level window shown, {"menu":
// [entries]} for each context menu, {"notice": text} and {"noticeGone": text} as a page's notice
// comes and goes. Boxes and
// dialogs are answered with OK as they appear; with TARVENNE_TEST_ANSWERS=none they are left
// up, and with TARVENNE_TEST_ANSWERS=stop-dialogs a page's dialog is answered with OK after
// choosing to stop the page's further dialogs wherever the dialog offers it.
class LauncherReport : public QObject {
public:
    explicit LauncherReport(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reportPageDialog(QWidget& dialog);
    void reportMenu(const QMenu& menu);

    MessageBoxWatcher boxes_;
    QByteArray answers_;
};

} // namespace tarvenne::ui::test
