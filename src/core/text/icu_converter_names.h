#pragma once

#include "text/code_page.h"

namespace tarvenne::text {

// The ICU converter that reads and writes a code page, or nullptr for a page without one.
const char* icuConverterName(CodePage codePage);

} // namespace tarvenne::text
