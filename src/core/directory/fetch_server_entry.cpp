#include "fetch_server_entry.h"

namespace tarvenne::directory {

std::optional<ServerEntry> fetchServerEntry(http::HttpClient& client, std::string_view address,
                                            text::CodePage ansiCodePage) {
    return chooseServerEntry(client.Get(address), ansiCodePage);
}

} // namespace tarvenne::directory
