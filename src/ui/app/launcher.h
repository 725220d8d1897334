#pragma once

#include "browser/browser_profile.h"
#include "main_window/main_window.h"

#include <directory/game_record.h>
#include <future>
#include <string>
#include <string_view>

namespace tarvenne::ui {

// What the launcher shows before its login gate: the browsers' one profile and the hidden main
// window, whose failures are shown in the error box.
class LauncherWindows final {
public:
    LauncherWindows();

    MainWindow& mainWindow() { return mainWindow_; }

private:
    BrowserProfile profile_;
    MainWindow mainWindow_;
};

// Starts fetching the update document at `address` on a thread of its own, checking its
// signature against the operator's key in `operatorKeyPem` (none when empty) and choosing the
// game's record from it: an empty record when the document has none. A failure of the fetch, of
// the signature or of the decoding is raised by the future's get().
std::future<directory::GameRecord> startFetchingGameRecord(std::string address,
                                                           std::string operatorKeyPem);

// The login gate in front of the hidden main window: gives the login window the game's record
// once it has been fetched (a failure is shown in the error box and leaves the login window
// unshaped, with its design title), runs the login window, whose own failures are shown in the
// error box too, and, once it has handed the game's window to the main window, titles the main
// window with the record's title. Returns whether the hand-off took place.
bool passLoginGate(MainWindow& mainWindow, std::future<directory::GameRecord> gameRecord);

// Runs the launcher: the login gate, then, after the hand-off, the main window maximised until
// it is closed. The update document at `updateDocumentAddress` is fetched while the application and
// the web engine start; it must be signed with the operator's key in `operatorKeyPem` unless
// that is empty. Reads no arguments; `programName` is argv[0]. Returns the exit status, always 0.
int runLauncher(char* programName, std::string_view updateDocumentAddress,
                std::string_view operatorKeyPem);

} // namespace tarvenne::ui
