#include "directory/fetch_server_entry.h"

#include "directory/choose_server_entry.h"
#include "directory/document_signature.h"

namespace tarvenne::directory {

std::optional<ServerEntry>
chooseServerEntryFromReply(http::ReplyBody body, text::CodePage ansiCodePage,
                           const std::optional<signature::PublicKey>& operatorKey) {
    if (operatorKey)
        checkOperatorSignature(body.bytes.view(), *operatorKey);
    return chooseServerEntryFromBody(std::move(body.bytes), body.charset, ansiCodePage);
}

std::optional<ServerEntry>
fetchServerEntry(http::HttpClient& client, std::string_view address, text::CodePage ansiCodePage,
                 const std::optional<signature::PublicKey>& operatorKey) {
    return chooseServerEntryFromReply(client.getBody(address), ansiCodePage, operatorKey);
}

} // namespace tarvenne::directory
