#pragma once

#include "http/header_list.h"

namespace tarvenne::http {

// Whether the last reply lets its connection stay open: neither its Connection nor its
// Proxy-Connection header, trimmed, is "close" (compared without regard to case). The
// protocol version the reply names plays no part.
bool allowsKeepingOpen(const HeaderList& headers);

} // namespace tarvenne::http
