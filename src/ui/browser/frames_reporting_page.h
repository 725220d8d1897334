#pragma once

#include <QString>
#include <QUrl>
#include <QWebEnginePage>

class QWebEngineNewWindowRequest;
class QWebEngineProfile;

namespace tarvenne::ui {

// A page of the launcher's browsers. It reports every completed document: the top-level page's
// (or an error page shown in its place) and that of each frame inside it, once for each.
class FramesReportingPage : public QWebEnginePage {
    Q_OBJECT

public:
    FramesReportingPage(QWebEngineProfile* profile, QObject* parent);

public slots:
    // Opens the requested page in a separate browser window on the same profile, with the
    // geometry that the page asked for where it asked for one.
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
