#include "launcher_process.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
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

QStringList LauncherProcess::reportedTexts(const QString& kind) const {
    QStringList found;
    for (const QJsonObject& line : lines_) {
        if (line.contains(kind))
            found.append(line.value(kind).toString());
    }
    return found;
}

QList<QStringList> LauncherProcess::menus() const {
    QList<QStringList> found;
    for (const QJsonObject& line : lines_) {
        if (line.contains(QStringLiteral("menu")))
            found.append(line.value(QStringLiteral("menu")).toVariant().toStringList());
    }
    return found;
}

QStringList LauncherProcess::notices() const {
    return reportedTexts(QStringLiteral("notice"));
}

QStringList LauncherProcess::noticesGone() const {
    return reportedTexts(QStringLiteral("noticeGone"));
}

namespace {

// The parent process of `pid` as /proc/PID/stat names it; 0 when it is gone.
qint64 parentOf(qint64 pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    // pid (name) state ppid ...: the name may hold spaces and brackets, so it is skipped whole.
    const QByteArray line = stat.readAll();
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() : 0;
}

bool isZygote(qint64 pid) {
    QFile commandLine(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return commandLine.open(QIODevice::ReadOnly) &&
           commandLine.readAll().contains("--type=zygote");
}

} // namespace

QList<qint64> LauncherProcess::rendererPids() const {
    // The engine's zygote processes, which the launcher starts, fork the renderers; a renderer
    // keeps the zygote's command line.
    QList<qint64> found;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString& entry : entries) {
        bool number = false;
        const qint64 candidate = entry.toLongLong(&number);
        const qint64 zygote = number ? parentOf(candidate) : 0;
        if (zygote > 1 && parentOf(zygote) == pid() && isZygote(zygote))
            found.append(candidate);
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

QString LauncherProcess::ending() const {
    if (process_.state() != QProcess::NotRunning)
        return QStringLiteral("running");
    if (process_.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("killed");
    return QStringLiteral("status %1").arg(process_.exitCode());
}

} // namespace tarvenne::ui::test
