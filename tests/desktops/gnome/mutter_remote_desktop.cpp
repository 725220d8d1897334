#include "mutter_remote_desktop.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QProcess>
#include <QTest>
#include <QVariantMap>
#include <linux/input-event-codes.h>
#include <stdexcept>

namespace tarvenne::ui::test {
namespace {

const QString remoteDesktop = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
const QString remoteSession = QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session");
const QString screenCast = QStringLiteral("org.gnome.Mutter.ScreenCast");
constexpr int timeout = 30000;

QDBusMessage answered(const QDBusMessage& reply, const char* what) {
    if (reply.type() == QDBusMessage::ErrorMessage)
        throw std::runtime_error(what + (": " + reply.errorMessage().toStdString()));
    return reply;
}

QDBusObjectPath pathIn(const QDBusMessage& reply, const char* what) {
    return answered(reply, what).arguments().value(0).value<QDBusObjectPath>();
}

} // namespace

MutterRemoteDesktop::MutterRemoteDesktop() {
    session_ =
        pathIn(QDBusInterface(remoteDesktop, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
                              remoteDesktop)
                   .call(QStringLiteral("CreateSession")),
               "no remote desktop session");
    QDBusInterface session(remoteDesktop, session_.path(), remoteSession);
    // The screen cast of the remote desktop session shows the monitor that the pointer moves on:
    // the compositor's one virtual monitor, without the pointer drawn.
    const QVariantMap ofTheSession{
        {QStringLiteral("remote-desktop-session-id"), session.property("SessionId").toString()}};
    const QDBusObjectPath castSession = pathIn(
        QDBusInterface(screenCast, QStringLiteral("/org/gnome/Mutter/ScreenCast"), screenCast)
            .call(QStringLiteral("CreateSession"), ofTheSession),
        "no screen cast session");
    const QVariantMap withoutPointer{{QStringLiteral("cursor-mode"), uint{0}}};
    stream_ = pathIn(QDBusInterface(screenCast, castSession.path(),
                                    QStringLiteral("org.gnome.Mutter.ScreenCast.Session"))
                         .call(QStringLiteral("RecordMonitor"), QString(), withoutPointer),
                     "no screen cast of the monitor");
    QDBusConnection::sessionBus().connect(
        screenCast, stream_.path(), QStringLiteral("org.gnome.Mutter.ScreenCast.Stream"),
        QStringLiteral("PipeWireStreamAdded"), this, SLOT(takeStream(uint)));
    answered(session.call(QStringLiteral("Start")), "the remote desktop session does not start");
    if (!QTest::qWaitFor([this] { return node_.has_value(); }, timeout))
        throw std::runtime_error("the screen cast announced no PipeWire stream");
}

MutterRemoteDesktop::~MutterRemoteDesktop() {
    QDBusInterface(remoteDesktop, session_.path(), remoteSession).call(QStringLiteral("Stop"));
}

void MutterRemoteDesktop::takeStream(uint node) {
    node_ = node;
}

QImage MutterRemoteDesktop::screenshot() const {
    // The stream's next frame as a PNG image on the standard output.
    QProcess frame;
    frame.start(QStringLiteral("gst-launch-1.0"),
                {QStringLiteral("-q"), QStringLiteral("pipewiresrc"),
                 QStringLiteral("path=%1").arg(*node_), QStringLiteral("num-buffers=1"),
                 QStringLiteral("!"), QStringLiteral("videoconvert"), QStringLiteral("!"),
                 QStringLiteral("pngenc"), QStringLiteral("!"), QStringLiteral("fdsink")});
    if (!frame.waitForFinished(timeout) || frame.exitCode() != 0)
        throw std::runtime_error("no frame from the screen cast: " +
                                 frame.readAllStandardError().toStdString());
    const QImage image = QImage::fromData(frame.readAllStandardOutput(), "PNG");
    if (image.isNull())
        throw std::runtime_error("the screen cast's frame is no image");
    return image.convertToFormat(QImage::Format_RGB32);
}

void MutterRemoteDesktop::notify(const QString& method, const QVariantList& arguments) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(remoteDesktop, session_.path(), remoteSession, method);
    call.setArguments(arguments);
    answered(QDBusConnection::sessionBus().call(call), "the remote desktop refuses input");
}

void MutterRemoteDesktop::movePointer(QPoint screenPosition) {
    notify(QStringLiteral("NotifyPointerMotionAbsolute"),
           {stream_.path(), double(screenPosition.x()), double(screenPosition.y())});
}

void MutterRemoteDesktop::pressLeftButton() {
    notify(QStringLiteral("NotifyPointerButton"), {int{BTN_LEFT}, true});
}

void MutterRemoteDesktop::releaseLeftButton() {
    notify(QStringLiteral("NotifyPointerButton"), {int{BTN_LEFT}, false});
}

} // namespace tarvenne::ui::test
