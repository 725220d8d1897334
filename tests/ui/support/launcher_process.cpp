#include "launcher_process.h"

#include <QJsonDocument>
#include <cstdio>

namespace tarvenne::ui::test {

LauncherProcess::LauncherProcess(const QString& program, const QString& directoryAddress,
                                 const QProcessEnvironment& environment, const QStringList& unset,
                                 const QString& workingDirectory) {
    QProcessEnvironment full = QProcessEnvironment::systemEnvironment();
    full.insert(environment);
    for (const QString& name : unset)
        full.remove(name);
    if (!workingDirectory.isEmpty())
        process_.setWorkingDirectory(workingDirectory);
    full.insert(QStringLiteral("TARVENNE_TEST_DIRECTORY"), directoryAddress);
    process_.setProcessEnvironment(full);
    QObject::connect(&process_, &QProcess::readyReadStandardError, [this] { readReport(); });
    process_.start(program, {});
    process_.waitForStarted();
}

LauncherProcess::~LauncherProcess() {
    if (process_.state() != QProcess::NotRunning) {
        process_.kill();
        process_.waitForFinished();
    }
}

void LauncherProcess::readReport() {
    pending_ += process_.readAllStandardError();
    qsizetype end;
    while ((end = pending_.indexOf('\n')) >= 0) {
        const QByteArray line = pending_.left(end);
        pending_.remove(0, end + 1);
        const QJsonDocument parsed = QJsonDocument::fromJson(line);
        if (parsed.isObject())
            lines_.append(parsed.object());
        else
            std::fprintf(stderr, "launcher: %s\n", line.constData());
    }
}

QList<QJsonObject> LauncherProcess::reported(const QString& kind) const {
    QList<QJsonObject> found;
    for (const QJsonObject& line : lines_) {
        if (line.contains(kind))
            found.append(line.value(kind).toObject());
    }
    return found;
}

QList<QJsonObject> LauncherProcess::boxes() const {
    return reported(QStringLiteral("box"));
}

QList<QJsonObject> LauncherProcess::dialogs() const {
    return reported(QStringLiteral("dialog"));
}

QList<QJsonObject> LauncherProcess::windows() const {
    QList<QJsonObject> found;
    for (const QJsonObject& line : lines_) {
        if (line.contains(QStringLiteral("shown")))
            found.append(line);
    }
    return found;
}

bool LauncherProcess::shown(const QString& name) const {
    for (const QJsonObject& window : windows()) {
        if (window.value(QStringLiteral("shown")).toString() == name)
            return true;
    }
    return false;
}

bool LauncherProcess::endsWithStatusZero(int timeout) {
    if (!process_.waitForFinished(timeout))
        return false;
    readReport();
    return process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
}

QString LauncherProcess::ending() const {
    if (process_.state() != QProcess::NotRunning)
        return QStringLiteral("running");
    if (process_.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("killed");
    return QStringLiteral("status %1").arg(process_.exitCode());
}

} // namespace tarvenne::ui::test
