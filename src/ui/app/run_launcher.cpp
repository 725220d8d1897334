#include "app/run_launcher.h"

#include "app/application.h"
#include "app/scene_graph_choice.h"
#include "browser/shared_profile.h"
#include "forms/form_creation.h"
#include "login_look/artwork_image.h"
#include "main_window/main_window.h"

#include <string>

namespace tarvenne::ui {

int runLauncher(char* programName, std::string_view directoryAddress) {
    Application::prepareStart();
    Application application(programName);
    chooseSceneGraph();
    // The login window's artwork decodes while the web engine starts.
    ArtworkImage::preload();

    createForm(Form1, std::string(directoryAddress));
    // After a gate that ended otherwise than by the hand-off, the terminate request is
    // pending: the main window is never shown and the main loop never runs.
    if (!application.terminateRequested()) {
        Form1->show();
        application.exec();
    }
    delete Form1;
    Form1 = nullptr;
    releaseBrowsers();
    return 0;
}

} // namespace tarvenne::ui
