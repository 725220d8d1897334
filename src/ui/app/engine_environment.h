#pragma once

namespace tarvenne::ui {

// Sets the environment in which the libraries that the web engine loads into the launcher's
// process write no files. Called first, before any other thread starts.
void keepEngineLibrariesFromWritingFiles();

} // namespace tarvenne::ui
