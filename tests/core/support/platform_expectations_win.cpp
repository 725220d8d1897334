#include "platform_expectations.h"

#include <windows.h>

namespace tarvenne::platform {

// Wine's own system library names its version; Windows' has no such entry.
bool isWine() {
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace tarvenne::platform
