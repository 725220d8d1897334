#include "app/application.h"

#include "platform/start_environment.h"

#include <QIcon>
#include <base/application_title.h>

namespace tarvenne::ui {
namespace {

// Qt keeps the argument count and vector by reference for the application's lifetime.
int programArgc = 1;
char* programArgv[2] = {};

int& programOnly(char* programName) {
    programArgv[0] = programName;
    programArgc = 1;
    return programArgc;
}

// The launcher's icon at every size that the resources hold.
QIcon launcherIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/app/icon/%1x%1.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace

void Application::prepareStart() {
    // The launcher writes no files: no shader cache on disk, neither Qt's own nor that of the
    // Mesa OpenGL drivers, which read this switch when the first context is made.
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    prepareStartEnvironment();
}

Application::Application(char* programName) : QApplication(programOnly(programName), programArgv) {
    title_ = QString::fromStdU16String(
        tarvenne::applicationTitle(applicationFilePath().toStdU16String()));
    // Only the main window's closing ends the main loop; the login window's ends the gate.
    setQuitOnLastWindowClosed(false);
    setWindowIcon(launcherIcon());
}

Application* Application::instance() {
    return static_cast<Application*>(QCoreApplication::instance());
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& failure) {
        showErrorBox(failure);
        return true;
    }
}

} // namespace tarvenne::ui
