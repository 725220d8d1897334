#include "directory/fetch_server_entry.h"

namespace tarvenne::directory {

std::optional<ServerEntry> fetchServerEntry(http::HttpClient& client, std::string_view address,
                                            text::CodePage ansiCodePage) {
    http::ReplyBody body = client.getBody(address);
    return chooseServerEntryFromBody(std::move(body.bytes), body.charset, ansiCodePage);
}

} // namespace tarvenne::directory
