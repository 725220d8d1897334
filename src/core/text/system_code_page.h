#pragma once

#include "text/code_page.h"

namespace tarvenne::text {

// The ANSI code page of the user running the launcher.
CodePage systemAnsiCodePage();

} // namespace tarvenne::text
