#include "kwin_desktop.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>
#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryFile>
#include <QTimer>
#include <QVariantMap>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <thread>
#include <unistd.h>
#include <xcb/xcb.h>

namespace tarvenne::ui::test {

// Takes the reports that the scripts of a KWinDesktop send over the session bus, at a path of
// its own.
class ScriptReports final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.tarvenne.test.KWinScriptReports")

public:
    static constexpr char interface[] = "org.tarvenne.test.KWinScriptReports";

    ScriptReports() {
        static int made = 0;
        path_ = QStringLiteral("/org/tarvenne/test/KWinScriptReports/%1").arg(++made);
    }

    const QString& path() const { return path_; }
    int nextQuery() { return ++queries_; }

public slots:
    Q_SCRIPTABLE void report(const QString& json) {
        emit reported(QJsonDocument::fromJson(json.toUtf8()).object());
    }

signals:
    void reported(const QJsonObject& report);

private:
    QString path_;
    int queries_ = 0;
};

namespace {

constexpr int timeout = 30000;

QDBusConnection bus() {
    return QDBusConnection::sessionBus();
}

QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                  const QString& method, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    const QDBusMessage reply = bus().call(message, QDBus::Block, timeout);
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw std::runtime_error(
            (interface + '.' + method + " failed: " + reply.errorMessage()).toStdString());
    return reply;
}

QDBusMessage callScripting(const QString& method, const QVariantList& arguments) {
    return call(QStringLiteral("org.kde.KWin"), QStringLiteral("/Scripting"),
                QStringLiteral("org.kde.kwin.Scripting"), method, arguments);
}

QRect rectOf(const QJsonValue& value) {
    const QJsonArray rect = value.toArray();
    return QRect(rect.at(0).toInt(), rect.at(1).toInt(), rect.at(2).toInt(), rect.at(3).toInt());
}

// Where the X server shows the X window, in root coordinates; nothing once it is gone.
std::optional<QRect> x11WindowRect(std::uint32_t window) {
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()))
        throw std::runtime_error("cannot connect to the X server in DISPLAY");
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(connection.get(), xcb_get_geometry(connection.get(), window),
                               nullptr),
        &std::free);
    if (!geometry)
        return std::nullopt;
    const std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> onRoot(
        xcb_translate_coordinates_reply(
            connection.get(),
            xcb_translate_coordinates(connection.get(), window, geometry->root, 0, 0), nullptr),
        &std::free);
    if (!onRoot)
        return std::nullopt;
    return QRect(onRoot->dst_x, onRoot->dst_y, geometry->width, geometry->height);
}

// Everything written into the pipe until its last writer closes it.
QByteArray readToEnd(int readEnd) {
    QByteArray data;
    char buffer[65536];
    pollfd readable{readEnd, POLLIN, 0};
    for (;;) {
        const int ready = poll(&readable, 1, timeout);
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return data;
        const ssize_t count = read(readEnd, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return data;
        data.append(buffer, count);
    }
}

} // namespace

KWinDesktop::KWinDesktop() : reports_(std::make_unique<ScriptReports>()) {
    if (!bus().registerObject(reports_->path(), reports_.get(),
                              QDBusConnection::ExportScriptableSlots))
        throw std::runtime_error("cannot take KWin's script reports on the session bus");
}

KWinDesktop::~KWinDesktop() {
    bus().unregisterObject(reports_->path());
}

QJsonValue KWinDesktop::runScript(const QString& body, const QJsonValue& argument) const {
    const int query = reports_->nextQuery();
    const QJsonObject caller{{QStringLiteral("service"), bus().baseService()},
                             {QStringLiteral("path"), reports_->path()},
                             {QStringLiteral("interface"), QLatin1String(ScriptReports::interface)},
                             {QStringLiteral("query"), query},
                             {QStringLiteral("argument"), argument}};
    QTemporaryFile script(QDir::tempPath() + QStringLiteral("/tarvenne-kwin-XXXXXX.js"));
    if (!script.open())
        throw std::runtime_error("cannot write a KWin script");
    script.write(
        QStringLiteral("const caller = %1;\n"
                       "const result = (function (argument) {\n%2\n})(caller.argument);\n"
                       "callDBus(caller.service, caller.path, caller.interface, "
                       "\"report\", JSON.stringify({query: caller.query, result: result}));\n")
            .arg(QString::fromUtf8(QJsonDocument(caller).toJson(QJsonDocument::Compact)), body)
            .toUtf8());
    script.close();

    QJsonValue result;
    bool answered = false;
    QEventLoop loop;
    QObject::connect(reports_.get(), &ScriptReports::reported, &loop,
                     [&](const QJsonObject& report) {
                         if (report.value(QStringLiteral("query")).toInt() != query)
                             return;
                         result = report.value(QStringLiteral("result"));
                         answered = true;
                         loop.quit();
                     });
    QTimer::singleShot(timeout, &loop, &QEventLoop::quit);
    const QString name =
        QStringLiteral("tarvenne-%1-%2").arg(QCoreApplication::applicationPid()).arg(query);
    callScripting(QStringLiteral("loadScript"), {script.fileName(), name});
    callScripting(QStringLiteral("start"), {});
    loop.exec();
    callScripting(QStringLiteral("unloadScript"), {name});
    if (!answered)
        throw std::runtime_error("KWin ran no script");
    return result;
}

std::optional<KWinWindow> KWinDesktop::window(qint64 pid, const QString& caption) const {
    const QJsonArray windows = runScript(QStringLiteral(R"(
        const rect = r => [r.x, r.y, r.width, r.height];
        return workspace.clientList()
            .filter(w => w.pid === argument && !w.minimized && !w.hidden && !w.deleted)
            .map(w => ({
                id: w.internalId.toString(),
                frame: rect(w.frameGeometry),
                buffer: rect(w.bufferGeometry),
                workArea: rect(workspace.clientArea(KWin.MaximizeArea, w)),
                x11Window: w.windowId === undefined ? 0 : w.windowId
            }));)"),
                                         pid)
                                   .toArray();
    for (const QJsonValue& listed : windows) {
        const QJsonObject facts = listed.toObject();
        KWinWindow window;
        window.id = facts.value(QStringLiteral("id")).toString();
        // KWin's own record of the window; its caption is the one the window asks for, where
        // the scripts' caption carries KWin's " <2>" that tells windows of one caption apart.
        const QVariantMap info =
            QDBusReply<QVariantMap>(call(QStringLiteral("org.kde.KWin"), QStringLiteral("/KWin"),
                                         QStringLiteral("org.kde.KWin"),
                                         QStringLiteral("getWindowInfo"), {window.id}))
                .value();
        if (info.value(QStringLiteral("caption")).toString() != caption)
            continue;
        window.frame = rectOf(facts.value(QStringLiteral("frame")));
        window.workArea = rectOf(facts.value(QStringLiteral("workArea")));
        window.maximizedHorizontally = info.value(QStringLiteral("maximizeHorizontal")).toBool();
        window.maximizedVertically = info.value(QStringLiteral("maximizeVertical")).toBool();
        window.fullScreen = info.value(QStringLiteral("fullscreen")).toBool();
        window.x11Window =
            static_cast<std::uint32_t>(facts.value(QStringLiteral("x11Window")).toInteger());
        if (window.x11Window == 0) {
            window.contents = rectOf(facts.value(QStringLiteral("buffer")));
        } else {
            const std::optional<QRect> contents = x11WindowRect(window.x11Window);
            if (!contents)
                continue;
            window.contents = *contents;
        }
        return window;
    }
    return std::nullopt;
}

QImage KWinDesktop::screenshot() const {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0)
        throw std::runtime_error("cannot make a pipe for the screenshot");
    // KWin writes the image while or after it answers; the pipe holds only a part of it.
    QByteArray data;
    std::thread reader([&data, readEnd = pipeEnds[0]] { data = readToEnd(readEnd); });
    QVariantMap results;
    try {
        const QVariantMap options{{QStringLiteral("include-cursor"), false},
                                  {QStringLiteral("native-resolution"), true}};
        results =
            QDBusReply<QVariantMap>(
                call(QStringLiteral("org.kde.KWin.ScreenShot2"),
                     QStringLiteral("/org/kde/KWin/ScreenShot2"),
                     QStringLiteral("org.kde.KWin.ScreenShot2"), QStringLiteral("CaptureWorkspace"),
                     {options, QVariant::fromValue(QDBusUnixFileDescriptor(pipeEnds[1]))}))
                .value();
    } catch (...) {
        close(pipeEnds[1]);
        reader.join();
        close(pipeEnds[0]);
        throw;
    }
    close(pipeEnds[1]);
    reader.join();
    close(pipeEnds[0]);

    const int width = results.value(QStringLiteral("width")).toInt();
    const int height = results.value(QStringLiteral("height")).toInt();
    const int stride = results.value(QStringLiteral("stride")).toInt();
    const auto format =
        static_cast<QImage::Format>(results.value(QStringLiteral("format")).toInt());
    if (results.value(QStringLiteral("type")).toString() != QLatin1String("raw") || width <= 0 ||
        height <= 0 || data.size() < qsizetype(stride) * height)
        throw std::runtime_error("KWin's screenshot came incomplete");
    // A copy, as the image that wraps the data does not own it.
    return QImage(reinterpret_cast<const uchar*>(data.constData()), width, height, stride, format)
        .copy()
        .convertToFormat(QImage::Format_RGB32);
}

QRect KWinDesktop::workArea() const {
    return rectOf(runScript(QStringLiteral(R"(
        const area = workspace.clientArea(KWin.MaximizeArea, workspace.activeScreen,
                                          workspace.currentDesktop);
        return [area.x, area.y, area.width, area.height];)"),
                            QJsonValue()));
}

void KWinDesktop::requestClose(const KWinWindow& window) const {
    const QJsonValue closed = runScript(QStringLiteral(R"(
        const window = workspace.clientList().find(w => w.internalId.toString() === argument);
        if (window === undefined)
            return false;
        window.closeWindow();
        return true;)"),
                                        window.id);
    if (!closed.toBool())
        throw std::runtime_error("KWin does not show the window to close");
}

} // namespace tarvenne::ui::test

#include "kwin_desktop.moc"
