#pragma once

#include <QString>

class QWebEngineScriptCollection;

namespace tarvenne::ui {

// What the web engine does not report of a page by itself: a new document of the top-level page
// (before any of its scripts runs; a move within the document makes none) and the completed
// document of each frame inside it. Scripts in the launcher's own script world write these
// reports on the page's console, with a word that the page's scripts cannot know.
class DocumentReports final {
public:
    enum class Report { None, NewDocument, FrameCompleted };

    // Adds the reporting scripts to a page's scripts.
    explicit DocumentReports(QWebEngineScriptCollection& scripts);

    // What a console message of the page reports; None for the page's own messages.
    Report read(const QString& message) const;

private:
    QString newDocument_;
    QString frameCompleted_;
};

} // namespace tarvenne::ui
