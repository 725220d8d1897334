#include "http/connection_rule.h"

#include "http/ascii.h"

namespace tarvenne::http {

bool allowsKeepingOpen(const HeaderList& headers) {
    for (const char* name : {"Connection", "Proxy-Connection"}) {
        const auto value = headers.value(name);
        if (value && equalsIgnoringCase(*value, "close"))
            return false;
    }
    return true;
}

} // namespace tarvenne::http
