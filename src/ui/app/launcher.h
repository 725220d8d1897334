#pragma once

#include <string_view>

namespace tarvenne::ui {

class MainWindow;

// The login gate in front of the hidden main window: fetches the update document at
// `directoryAddress` and gives the login window the game's record (a failure is shown in the
// error box and leaves the login window unshaped, with its design title), runs the login window
// and, once it has handed the game's window to the main window, titles the main window with the
// record's title. Returns whether the hand-off took place.
bool passLoginGate(MainWindow& mainWindow, std::string_view directoryAddress);

// Runs the launcher: the login gate, then, after the hand-off, the main window maximised until
// it is closed. Reads no arguments; `programName` is argv[0]. Returns the exit status, always 0.
int runLauncher(char* programName, std::string_view directoryAddress);

} // namespace tarvenne::ui
