#pragma once

#include <QPoint>
#include <QString>

namespace tarvenne::ui::test {

// A page of a test's site that reports to the site what happens in it: its scripts call
// report(word), which fetches /report/word; the page reports its first paint ("painted") and each
// press and release of a button ("pressed-N", "released-N", counted from 0). Its links, buttons,
// fields and paragraphs stand in rows 50 pixels apart, placed with style="top: ...".
QString reportingPage(const QString& body);

// The login page that hands off to the game page: its link "Play" in the first row goes to
// me.php?FQ=1 in a new window; hovering it reports "hovered". It sets the session's cookie
// "session=kept".
QString handOffPage();

// The centre of the element in row `index` of a reporting page, from the page's top-left corner.
QPoint pageRow(int index);

} // namespace tarvenne::ui::test
