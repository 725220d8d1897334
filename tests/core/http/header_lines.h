#pragma once

#include "http/reply_head.h"

#include <initializer_list>

namespace tarvenne::http {

// A header list holding `lines`, added in order as they would arrive.
inline HeaderList headersOf(std::initializer_list<const char*> lines) {
    HeaderList headers;
    for (const char* line : lines)
        headers.addLine(line);
    return headers;
}

} // namespace tarvenne::http
