#pragma once

#include "directory/server_directory.h"
#include "http/http_client.h"

#include <optional>
#include <string_view>

namespace tarvenne::directory {

// Fetches the update document at `address` and chooses the game's record from it, as the
// login window does at its creation. Throws the failures of the request and of the decoding.
std::optional<ServerEntry> fetchServerEntry(http::HttpClient& client, std::string_view address,
                                            text::CodePage ansiCodePage);

} // namespace tarvenne::directory
