#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <exception>

namespace tarvenne::ui {

// The standard error boxes: a critical message box with the failure's text, the application
// title as caption and a single OK button. While one is up, the launcher's pages are disabled;
// the windows can still be moved and closed. A box whose text is already up is not shown again
// (a page that fails over and over adds no box).
class ErrorBoxes final {
public:
    // Shows `text` as it stands and returns when the player has dismissed it, or at once when a
    // box with the same text is up.
    void show(const QString& text);

private:
    QStringList showing_;
};

// The error box of a failure: its innermost message with the full-stop rule; a failure of the
// abort kind shows nothing.
void showErrorBox(const std::exception& failure);

// The error box with `text`, final as it stands (see errorBoxText and withFullStop).
void showErrorBox(const QString& text);

// Runs `step`; a failure that escapes it is shown in the error box, and the caller goes on.
template <typename Step> void showingFailures(Step&& step) {
    try {
        step();
    } catch (const std::exception& failure) {
        showErrorBox(failure);
    }
}

// Shows each failure that `window` reports by its signal failed(text), with the error box's final
// text, in the error box once the step that failed has returned; the window stays up.
template <typename Window> void showFailuresOf(Window& window) {
    QObject::connect(
        &window, &Window::failed, &window, [](const QString& text) { showErrorBox(text); },
        Qt::QueuedConnection);
}

} // namespace tarvenne::ui
