#include "app/launcher.h"

#include "app/application.h"
#include "app/error_box.h"
#include "browser/browser_window.h"
#include "browser/frames_reporting_page.h"
#include "login_window/login_window.h"
#include "main_window/main_window.h"

#include <directory/fetch_server_entry.h>
#include <http/http_client.h>
#include <text/code_page.h>

namespace tarvenne::ui {
namespace {

// The game's record in the update document at `address`; an empty one when it has none.
directory::ServerEntry fetchGameRecord(std::string_view address) {
    http::HttpClient client;
    return directory::fetchServerEntry(client, address, text::systemAnsiCodePage())
        .value_or(directory::ServerEntry{});
}

} // namespace

bool passLoginGate(MainWindow& mainWindow, std::string_view directoryAddress) {
    LoginWindow login(mainWindow.gamePage());
    showingFailures([&] { login.takeServerEntry(fetchGameRecord(directoryAddress)); });
    if (login.exec() != QDialog::Accepted)
        return false;
    mainWindow.setTitle(login.title());
    return true;
}

int runLauncher(char* programName, std::string_view directoryAddress) {
    Application::prepareStart();
    Application application(programName);
    BrowserProfile profile;
    // Made hidden before the gate, so that its page can take the game's window.
    MainWindow mainWindow(&profile);
    if (!passLoginGate(mainWindow, directoryAddress))
        return 0;
    mainWindow.show();
    application.exec();
    return 0;
}

} // namespace tarvenne::ui
