#include "reporting_page.h"

namespace tarvenne::ui::test {

QString reportingPage(const QString& body) {
    return QStringLiteral(R"html(<!DOCTYPE html>
<html><head><title>Reporting</title><style>
  body { margin: 0; }
  a, button, input, p {
    position: absolute; left: 10px; width: 300px; height: 40px; display: block; margin: 0;
  }
</style><script>
  const report = word => fetch('/report/' + word);
  requestAnimationFrame(() => requestAnimationFrame(() => report('painted')));
  let presses = 0, releases = 0;
  addEventListener('mousedown', () => report('pressed-' + presses++), true);
  addEventListener('mouseup', () => report('released-' + releases++), true);
</script></head><body>)html") +
           body + QStringLiteral("</body></html>");
}

QString handOffPage() {
    return reportingPage(QStringLiteral(
        R"html(<a id="handoff" style="top: 10px" href="me.php?FQ=1" target="_blank">Play</a>
<script>
  document.cookie = 'session=kept; path=/';
  document.getElementById('handoff').addEventListener('mouseover', () => report('hovered'));
</script>)html"));
}

QPoint pageRow(int index) {
    return {160, 30 + 50 * index};
}

} // namespace tarvenne::ui::test
