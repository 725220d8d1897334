// The launcher as the tests run it: the update document comes from the address in
// TARVENNE_TEST_DIRECTORY and must be signed with the operator's key built in, if any; what the
// player would see is reported on stderr (message boxes are dismissed with OK as they appear).
#include "app/launcher.h"
#include "launcher_report.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <directory/operator_key.h>

namespace {

void startReport() {
    new tarvenne::ui::test::LauncherReport(QCoreApplication::instance());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(startReport)

int main(int, char** argv) {
    return tarvenne::ui::runLauncher(argv[0], qgetenv("TARVENNE_TEST_DIRECTORY").toStdString(),
                                     tarvenne::directory::builtInOperatorKey);
}
