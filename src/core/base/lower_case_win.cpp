#include "base/lower_case.h"

#include <windows.h>

namespace tarvenne {

std::u16string toLowerCase(std::u16string_view text) {
    std::u16string lower(text);
    CharLowerBuffW(reinterpret_cast<wchar_t*>(lower.data()), static_cast<DWORD>(lower.size()));
    return lower;
}

} // namespace tarvenne
