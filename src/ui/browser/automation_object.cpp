#include "browser/automation_object.h"

#include "browser/event_dispatch.h"
#include "browser/late_bound_script.h"
#include "browser/web_browser.h"

#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <base/error.h>

namespace tarvenne::ui {

AutomationObject::AutomationObject(WebBrowser* browser) : browser_(browser) {}

WebBrowser* AutomationObject::browser() const {
    return browser_;
}

bool AutomationObject::isEmpty() const {
    return browser_ == nullptr;
}

void AutomationObject::put(const std::vector<LateBoundPut>& chains) const {
    if (isEmpty())
        throw Error(u"Invalid variant operation");
    browser_->page()->runJavaScript(
        lateBoundScript(chains), QWebEngineScript::ApplicationWorld, [](const QVariant& answer) {
            // No answer means that the document went away before the script could run.
            const QVariantMap result = answer.toMap();
            if (result.isEmpty() || result.value(QStringLiteral("ok")).toBool())
                return;
            const QString message = result.value(QStringLiteral("error")).toString();
            dispatchEvent([&] { throw Error(message.toStdU16String()); });
        });
}

} // namespace tarvenne::ui
