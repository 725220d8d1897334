#pragma once

#include <QObject>
#include <QString>
#include <exception>

namespace tarvenne::ui {

// The standard error box: a critical message box with the failure's text (innermost
// message, full-stop rule), the application title as caption and a single OK button. While it
// is up, the launcher's pages are disabled; the windows can still be moved and closed. Returns
// when the player has dismissed it, or at once when a box with the same text is already up; a
// failure of the abort kind shows nothing.
void showErrorBox(const std::exception& failure);

// The error box of a failure with the text `message`.
void showErrorBox(const QString& message);

// Runs `step`; a failure that escapes it is shown in the error box, and the caller goes on.
template <typename Step> void showingFailures(Step&& step) {
    try {
        step();
    } catch (const std::exception& failure) {
        showErrorBox(failure);
    }
}

// Shows each failure that `window` reports by its signal failed(message) in the error box, once
// the step that failed has returned; the window stays up.
template <typename Window> void showFailuresOf(Window& window) {
    QObject::connect(
        &window, &Window::failed, &window, [](const QString& message) { showErrorBox(message); },
        Qt::QueuedConnection);
}

} // namespace tarvenne::ui
