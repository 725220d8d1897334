#pragma once

#include "http/url.h"

#include <string>

namespace tarvenne::http {

// The whole head of the GET request for `url`, every line ended by CR LF, ready for one write.
std::string requestHead(const Url& url);

} // namespace tarvenne::http
