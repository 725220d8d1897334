#pragma once

#include "browser/late_bound_script.h"

#include <QPointer>
#include <vector>

namespace tarvenne::ui {

class WebBrowser;

// A browser's automation object, the value of its `Application` property: the target of
// another browser's new-window request (also while the browser has not been shown yet)
// and the start of late-bound member access. Empty when default-constructed.
class AutomationObject {
public:
    AutomationObject() = default;
    explicit AutomationObject(WebBrowser* browser);

    WebBrowser* browser() const;
    bool isEmpty() const;

    // Runs the chains in order on the browser's top-level document. Member names match
    // without regard to letter case. The first failing step ends the run, and its failure
    // is raised at the browser's event boundary once the page has answered: "Method '%s'
    // not supported by automation object" for a missing member, "Invalid variant operation"
    // for a step without an object, the page's own message for a refused put. An empty
    // object raises "Invalid variant operation" at once.
    void put(const std::vector<LateBoundPut>& chains) const;

private:
    QPointer<WebBrowser> browser_;
};

} // namespace tarvenne::ui
