#pragma once

#include <string_view>

namespace tarvenne::ui {

// Runs the launcher: the main window's creation with the login gate, then, after the
// hand-off, the main loop until the main window is closed. `directoryAddress` is where the
// update document lives. Reads no arguments; `programName` is argv[0]. Returns the exit
// status, always 0.
int runLauncher(char* programName, std::string_view directoryAddress);

} // namespace tarvenne::ui
