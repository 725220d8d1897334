#include "text/system_code_page.h"

#include <windows.h>

namespace tarvenne::text {

// The active ANSI code page, which the platform derives from the system locale.
CodePage systemAnsiCodePage() {
    return static_cast<CodePage>(GetACP());
}

} // namespace tarvenne::text
