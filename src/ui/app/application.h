#pragma once

#include "app/error_box.h"

#include <QApplication>
#include <QString>

namespace tarvenne::ui {

// The launcher's application object. Its event handling is the boundary of the main loop and of
// every modal loop: a failure that escapes the handling of an event is shown in the error box
// and the loop goes on.
class Application final : public QApplication {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Application)

public:
    // Settings that must be in place before the application object exists, the environment
    // among them; made first, before any other thread starts.
    static void prepareStart();

    // Takes no arguments: Qt and the web engine are given the program name only.
    explicit Application(char* programName);

    static Application* instance();

    // The file name of the launcher, cut before its first full stop, with every character
    // after the first in lower case.
    const QString& title() const { return title_; }

    bool notify(QObject* receiver, QEvent* event) override;

    ErrorBoxes& errorBoxes() { return errorBoxes_; }

private:
    QString title_;
    ErrorBoxes errorBoxes_;
};

} // namespace tarvenne::ui
