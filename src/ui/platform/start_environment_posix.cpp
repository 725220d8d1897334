#include "platform/start_environment.h"
#include "platform/wayland_compositor.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace tarvenne::ui {
namespace {

// A path below which no folder can be made, whoever runs the launcher.
constexpr char noRoom[] = "/dev/null";

// The sound server's client, asked for a sound server without being told which, makes a runtime
// folder of its own (under the temporary folder when XDG_RUNTIME_DIR is unset, with a link to it
// in the configuration folder) or a "pulse" folder in the runtime folder. Told the user's server
// where there is one, and the system-wide one otherwise, it makes none.
void nameTheSoundServer() {
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

// Asked for the session bus without being told where it is, the D-Bus libraries look for the
// user's bus in the runtime folder and, where there is none, start a bus of their own through the
// X server (dbus-launch): a program of the launcher's making, which keeps files in the runtime
// folder. Told the user's bus where there is one, and a place without a bus otherwise, they start
// none.
void nameTheSessionBus() {
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString userBus = runtime + QStringLiteral("/bus");
    if (!runtime.isEmpty() && QFileInfo::exists(userBus))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + QFile::encodeName(userBus));
    else
        qputenv("DBUS_SESSION_BUS_ADDRESS", QByteArray("unix:path=") + noRoom + "/bus");
}

void keepDefault(const char* name, const QByteArray& home, const char* below) {
    if (!qEnvironmentVariableIsSet(name))
        qputenv(name, home + below);
}

// The web engine's certificate store makes "~/.pki/nssdb" in the home folder at the first TLS
// connection and keeps its database there; where that folder cannot be made, it keeps its
// database in memory. So the launcher's home folder is one without room for a folder. What the
// desktop finds through the home folder stays where it was: the X server's and the session
// manager's authority files and the XDG base folders.
void moveHomeOutOfReach() {
    const QByteArray home = qgetenv("HOME");
    if (!home.isEmpty()) {
        keepDefault("XAUTHORITY", home, "/.Xauthority");
        keepDefault("ICEAUTHORITY", home, "/.ICEauthority");
        keepDefault("XDG_CONFIG_HOME", home, "/.config");
        keepDefault("XDG_DATA_HOME", home, "/.local/share");
        keepDefault("XDG_CACHE_HOME", home, "/.cache");
        keepDefault("XDG_STATE_HOME", home, "/.local/state");
    }
    qputenv("HOME", noRoom);
}

// Without XDG_RUNTIME_DIR the toolkit makes a runtime folder of its own, "runtime-USER" in the
// temporary folder, whenever the runtime folder is asked for: while the application object is
// made, only to look for a file there. Pointed at a temporary folder without room, it makes none
// and finds none. The temporary folder stays so for the whole run: the launcher and its web
// engine keep nothing in temporary files.
void keepTheRuntimeFolderUnmade() {
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
        qputenv("TMPDIR", noRoom);
}

// A compositor that draws no frames (GNOME's) leaves the title bar and border to the client, and
// the toolkit's own are unlike the desktop's: a light title bar and a pale border around the game.
// The same compositor frames the windows of its X server as its own, so there the launcher runs
// as an X client, and natively only where the X server does not come up. Not where an output is
// scaled: the compositor enlarges an X window's pixels, and a sharp game weighs more than a
// foreign frame. What the player or the system sets in QT_QPA_PLATFORM stands.
void runWhereTheDesktopDrawsTheFrames() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY"))
        return;
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qgetenv("XDG_SESSION_TYPE") != "wayland")
        return;
    const std::optional<WaylandCompositorOffer> offer = askWaylandCompositor();
    if (offer && !offer->drawsFrames && offer->largestScale == 1)
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

} // namespace

void prepareStartEnvironment() {
    nameTheSoundServer();
    nameTheSessionBus();
    moveHomeOutOfReach();
    keepTheRuntimeFolderUnmade();
    runWhereTheDesktopDrawsTheFrames();
}

} // namespace tarvenne::ui
