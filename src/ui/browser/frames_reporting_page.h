#pragma once

#include "browser/guarded_page.h"

#include <QString>
#include <QUrl>

class QWebEngineNewWindowRequest;
class QWebEngineProfile;

namespace tarvenne::ui {

// A page of the launcher's browsers. It reports every completed document: the top-level page's
// (or an error page shown in its place) and that of each frame inside it, once for each.
class FramesReportingPage final : public GuardedPage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(FramesReportingPage)

public:
    FramesReportingPage(QWebEngineProfile* profile, QObject* parent);

    // From now on opens every new window that the page asks for in a separate window (see
    // openInSeparateWindow). A page that hands some of them elsewhere handles newWindowRequested
    // itself instead.
    void openNewWindowsSeparately();

public slots:
    // Opens the requested page in a separate browser window on the same profile, with the
    // geometry that the page asked for where it asked for one, kept on the screen. Refuses a
    // window that the player did not open with a click, one for an address beyond the web, and
    // any window while a handful of separate windows are open.
    void openInSeparateWindow(QWebEngineNewWindowRequest& request);

signals:
    void documentCompleted(const QUrl& address);

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                  int lineNumber, const QString& sourceID) override;

private:
    QString word_;
};

} // namespace tarvenne::ui
