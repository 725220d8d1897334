#pragma once

#include "message_box_watcher.h"

#include <QObject>

namespace tarvenne::ui::test {

// What the player of a launcher process would see, written to stderr one JSON object a
// line: {"box": {...}} for each message box, which is then dismissed with OK, and
// {"shown": name, "title": ..., "maximized": ...} for each top-level window shown.
class LauncherReport : public QObject {
public:
    explicit LauncherReport(QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MessageBoxWatcher boxes_;
};

} // namespace tarvenne::ui::test
