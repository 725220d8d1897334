#include "app/launcher.h"

#include "app/application.h"
#include "app/error_box.h"
#include "app/scene_graph_choice.h"
#include "browser/guarded_page.h"
#include "login_window/login_window.h"
#include "platform/session_end.h"

#include <directory/document_signature.h>
#include <directory/fetch_game_record.h>
#include <http/http_client.h>
#include <text/system_code_page.h>

namespace tarvenne::ui {

std::future<directory::GameRecord> startFetchingGameRecord(std::string address,
                                                           std::string operatorKeyPem) {
    // The ANSI code page comes from the environment, which is read here, before the thread starts.
    return std::async(std::launch::async, [address = std::move(address),
                                           operatorKeyPem = std::move(operatorKeyPem),
                                           ansiCodePage = text::systemAnsiCodePage()] {
        const auto operatorKey = directory::operatorKeyFromPem(operatorKeyPem);
        http::HttpClient client;
        return directory::fetchGameRecord(client, address, ansiCodePage, operatorKey)
            .value_or(directory::GameRecord{});
    });
}

LauncherWindows::LauncherWindows() : mainWindow_(&profile_) {
    showFailuresOf(mainWindow_);
}

bool passLoginGate(MainWindow& mainWindow, std::future<directory::GameRecord> gameRecord) {
    LoginWindow login(mainWindow.gamePage());
    showFailuresOf(login);
    showingFailures([&] { login.takeGameRecord(gameRecord.get()); });
    if (login.exec() != QDialog::Accepted)
        return false;
    mainWindow.setTitle(login.title());
    return true;
}

int runLauncher(char* programName, std::string_view updateDocumentAddress,
                std::string_view operatorKeyPem) {
    // The environment is complete before the fetch's thread starts, which reads it.
    Application::prepareStart();
    auto gameRecord =
        startFetchingGameRecord(std::string(updateDocumentAddress), std::string(operatorKeyPem));
    Application application(programName);
    chooseSceneGraph();
    // The main window is made hidden before the gate, so that its page can take the game's window.
    LauncherWindows windows;
    MainWindow& mainWindow = windows.mainWindow();
    // The end of the desktop's session ends every loop, the gate's and the main loop, and
    // whatever box waits for the player in them.
    SessionEnd sessionEnd;
    QObject::connect(&sessionEnd, &SessionEnd::ending, &application,
                     [] { QCoreApplication::exit(0); });
    if (!passLoginGate(mainWindow, std::move(gameRecord)) || sessionEnd.hasEnded())
        return 0;
    mainWindow.show();
    application.exec();
    return 0;
}

} // namespace tarvenne::ui
