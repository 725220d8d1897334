#pragma once

#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>

namespace tarvenne::ui::test {

// A run of tarvenne-under-test, with what its report says the player saw.
class LauncherProcess {
public:
    // Starts `program` with the directory address and the extra environment given, less the
    // variables named in `unset`, in the working directory `workingDirectory` where one is given.
    LauncherProcess(const QString& program, const QString& directoryAddress,
                    const QProcessEnvironment& environment = QProcessEnvironment(),
                    const QStringList& unset = {}, const QString& workingDirectory = {});
    ~LauncherProcess();

    qint64 pid() const { return process_.processId(); }

    // The message boxes shown so far, in order.
    QList<QJsonObject> boxes() const;
    // The top-level windows shown so far, in order: {"shown": name, "title", "maximized"}.
    QList<QJsonObject> windows() const;
    bool shown(const QString& name) const;

    // Waits for the process to end by itself; true when it ended normally with status 0.
    bool endsWithStatusZero(int timeout);
    // How the process ended: "status N", or "killed" by a signal; "running" while it runs.
    QString ending() const;

    // The dialogs of pages shown so far, in order: {"title", "origin", "message", "stopOffered"}.
    QList<QJsonObject> dialogs() const;
    // The entries of each context menu shown so far, in order.
    QList<QStringList> menus() const;
    // The texts of the pages' notices shown so far, in order, and of those gone by now.
    QStringList notices() const;
    QStringList noticesGone() const;

    // The web engine's renderer processes that the launcher has started.
    QList<qint64> rendererPids() const;

private:
    void readReport();
    QList<QJsonObject> reported(const QString& kind) const;
    QStringList reportedTexts(const QString& kind) const;

    QProcess process_;
    QByteArray pending_;
    QList<QJsonObject> lines_;
};

} // namespace tarvenne::ui::test
