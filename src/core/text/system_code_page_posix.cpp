#include "text/locale_code_page.h"
#include "text/system_code_page.h"

#include <clocale>
#include <cstdlib>
#include <initializer_list>

namespace tarvenne::text {

// The locale that decides the character type, as POSIX looks it up: LC_ALL, LC_CTYPE, LANG.
CodePage systemAnsiCodePage() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return ansiCodePageForLocale(value);
    }
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    return ansiCodePageForLocale(current != nullptr ? current : "C");
}

} // namespace tarvenne::text
