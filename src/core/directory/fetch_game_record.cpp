#include "directory/fetch_game_record.h"

#include "directory/choose_game_record.h"
#include "directory/document_signature.h"

namespace tarvenne::directory {

std::optional<GameRecord>
chooseGameRecordFromReply(http::ReplyBody body, text::CodePage ansiCodePage,
                          const std::optional<signature::PublicKey>& operatorKey) {
    if (operatorKey)
        checkOperatorSignature(body.bytes.view(), *operatorKey);
    return chooseGameRecordFromBody(std::move(body.bytes), body.charset, ansiCodePage);
}

std::optional<GameRecord> fetchGameRecord(http::HttpClient& client, std::string_view address,
                                          text::CodePage ansiCodePage,
                                          const std::optional<signature::PublicKey>& operatorKey) {
    return chooseGameRecordFromReply(client.getBody(address), ansiCodePage, operatorKey);
}

} // namespace tarvenne::directory
