#include "sway_desktop.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <stdexcept>

namespace tarvenne::ui::test {
namespace {

QRect rectOf(const QJsonObject& node) {
    const QJsonObject rect = node.value(QStringLiteral("rect")).toObject();
    return QRect(rect.value(QStringLiteral("x")).toInt(), rect.value(QStringLiteral("y")).toInt(),
                 rect.value(QStringLiteral("width")).toInt(),
                 rect.value(QStringLiteral("height")).toInt());
}

std::optional<DesktopWindow> findWindow(const QJsonObject& node, qint64 pid, const QString& title,
                                        bool floating) {
    if (node.value(QStringLiteral("pid")).toInteger() == pid &&
        node.value(QStringLiteral("name")).toString() == title &&
        node.value(QStringLiteral("visible")).toBool())
        return DesktopWindow{node.value(QStringLiteral("id")).toInteger(), rectOf(node), floating,
                             node.value(QStringLiteral("shell")).toString()};
    for (const auto* children : {"nodes", "floating_nodes"}) {
        const bool floatingChildren = floating || QLatin1String(children) == "floating_nodes";
        for (const QJsonValue child : node.value(QLatin1String(children)).toArray()) {
            if (auto found = findWindow(child.toObject(), pid, title, floatingChildren))
                return found;
        }
    }
    return std::nullopt;
}

} // namespace

QByteArray SwayDesktop::run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        throw std::runtime_error(program.toStdString() +
                                 " failed: " + process.readAllStandardError().toStdString());
    return process.readAllStandardOutput();
}

std::optional<DesktopWindow> SwayDesktop::window(qint64 pid, const QString& title) const {
    const QJsonDocument tree = QJsonDocument::fromJson(
        run(QStringLiteral("swaymsg"),
            {QStringLiteral("-r"), QStringLiteral("-t"), QStringLiteral("get_tree")}));
    return findWindow(tree.object(), pid, title, false);
}

QRect SwayDesktop::output() const {
    const QJsonDocument outputs = QJsonDocument::fromJson(
        run(QStringLiteral("swaymsg"),
            {QStringLiteral("-r"), QStringLiteral("-t"), QStringLiteral("get_outputs")}));
    return rectOf(outputs.array().first().toObject());
}

QImage SwayDesktop::screenshot() const {
    return QImage::fromData(run(QStringLiteral("grim"), {QStringLiteral("-")}))
        .convertToFormat(QImage::Format_RGB32);
}

void SwayDesktop::requestClose(const DesktopWindow& window) const {
    run(QStringLiteral("swaymsg"), {QStringLiteral("[con_id=%1] kill").arg(window.id)});
}

} // namespace tarvenne::ui::test
