#pragma once

#include <string>

namespace tarvenne {

// The full path of the running program's file as the platform names it, the source of the
// application title.
std::u16string launcherFilePath();

} // namespace tarvenne
