#include "app/application.h"

#include "app/terminate_request.h"
#include "error_box/error_box.h"
#include "forms/modal_form.h"

#include <base/error_text.h>

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

} // namespace

void Application::prepareStart() {
    // The launcher writes no files: no shader cache on disk, neither Qt's own nor that of the
    // Mesa OpenGL drivers, which read this switch when the first context is made.
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

Application::Application(char* programName) : QApplication(programOnly(programName), programArgv) {
    title_ = QString::fromStdU16String(
        tarvenne::applicationTitle(applicationFilePath().toStdU16String()));
    // Only the main window's closing or the terminate request ends the launcher.
    setQuitOnLastWindowClosed(false);
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

bool Application::event(QEvent* event) {
    if (event->type() != terminateRequestEvent())
        return QApplication::event(event);
    if (ModalForm* form = ModalForm::running())
        form->setModalResult(ModalResult::Cancel);
    else
        quit();
    return true;
}

} // namespace tarvenne::ui
