#pragma once

#include "browser/automation_object.h"

#include <QString>
#include <QUrl>
#include <QWebEngineView>
#include <functional>

class QWebEngineLoadingInfo;
class QWebEngineNewWindowRequest;

namespace tarvenne::ui {

// The embedded browser: a child control that fills its parent and follows its size, with
// no start page. Every browser of the launcher uses the shared off-the-record profile.
class WebBrowser : public QWebEngineView {
    Q_OBJECT

public:
    explicit WebBrowser(QWidget* parent);

    // Starts loading `address`, passed on unchanged. An address that the web engine cannot
    // load (empty, relative) leaves the browser as it is.
    void Navigate(const QString& address);

    // The browser's automation object.
    AutomationObject Application();

    // The browser's events, bound by the window that holds it. An event without a handler
    // keeps the component's own behaviour; a failure raised by a handler is caught at the
    // event's boundary and shown in the error box.

    // The status text: while the pointer rests on a link, that link's address; empty when
    // it leaves the link.
    std::function<void(WebBrowser* ASender, const QString& Text)> OnStatusTextChange;
    // A request for a new window. A handler that puts another browser's automation object
    // into `ppDisp` makes the page open in that browser; setting `Cancel` drops the request;
    // left alone, the page opens in a separate window of the component's own.
    std::function<void(WebBrowser* ASender, AutomationObject& ppDisp, bool& Cancel)> OnNewWindow2;
    // A document has completed: the top-level page's (or an error page shown in its place) or
    // that of a frame inside it, once for each.
    std::function<void(WebBrowser* ASender, const AutomationObject& pDisp, const QUrl& URL)>
        OnDocumentComplete;

private:
    void statusTextChanged(const QString& text);
    void newWindowRequested(QWebEngineNewWindowRequest& request);
    void loadingChanged(const QWebEngineLoadingInfo& info);
    void documentCompleted(const QUrl& address);
};

} // namespace tarvenne::ui
