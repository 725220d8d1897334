#include "launcher_process.h"

#include <QJsonDocument>
#include <cstdio>

namespace tarvenne::ui::test {

LauncherProcess::LauncherProcess(const QString& program, const QString& directoryAddress,
                                 const QProcessEnvironment& environment) {
    QProcessEnvironment full = QProcessEnvironment::systemEnvironment();
    full.insert(environment);
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

QList<QJsonObject> LauncherProcess::boxes() const {
    QList<QJsonObject> found;
    for (const QJsonObject& line : lines_) {
        if (line.contains(QStringLiteral("box")))
            found.append(line.value(QStringLiteral("box")).toObject());
    }
    return found;
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

} // namespace tarvenne::ui::test
