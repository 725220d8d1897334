#include "page_script.h"

#include <QTest>
#include <QWebEnginePage>
#include <memory>

namespace tarvenne::ui::test {

QVariant evaluate(QWebEnginePage* page, const QString& script) {
    struct Answer {
        bool arrived = false;
        QVariant value;
    };
    auto answer = std::make_shared<Answer>();
    page->runJavaScript(script, [answer](const QVariant& value) {
        answer->value = value;
        answer->arrived = true;
    });
    if (!QTest::qWaitFor([&] { return answer->arrived; }, 10000))
        return {};
    return answer->value;
}

} // namespace tarvenne::ui::test
