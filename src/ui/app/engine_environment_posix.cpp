#include "app/engine_environment.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

namespace tarvenne::ui {

void keepEngineLibrariesFromWritingFiles() {
    // The sound server's client, asked for a sound server without being told which, makes a
    // runtime folder of its own (under the temporary folder when XDG_RUNTIME_DIR is unset, with
    // a link to it in the configuration folder) or a "pulse" folder in the runtime folder. Told
    // the user's server where there is one, and the system-wide one otherwise, it makes none.
    if (qEnvironmentVariableIsSet("PULSE_SERVER") ||
        qEnvironmentVariableIsSet("PULSE_RUNTIME_PATH"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString userServer = runtime + QStringLiteral("/pulse/native");
    if (!runtime.isEmpty() && QFileInfo::exists(userServer))
        qputenv("PULSE_SERVER", "unix:" + QFile::encodeName(userServer));
    else
        qputenv("PULSE_SERVER", "unix:/run/pulse/native");
}

} // namespace tarvenne::ui
