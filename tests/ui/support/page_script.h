#pragma once

#include <QString>
#include <QVariant>

class QWebEnginePage;

namespace tarvenne::ui::test {

// Runs a script in the page's own world and waits for its value; an invalid value when the
// page gives no answer in time.
QVariant evaluate(QWebEnginePage* page, const QString& script);

} // namespace tarvenne::ui::test
