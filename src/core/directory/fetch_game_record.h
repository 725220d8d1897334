#pragma once

#include "directory/game_record.h"
#include "http/http_client.h"
#include "signature/ecdsa_p256.h"
#include "text/code_page.h"

#include <optional>
#include <string_view>

namespace tarvenne::directory {

// Chooses the game's record from a reply body. With the operator's key, the body's signature
// is checked first, before any decoding; without it, the body is not checked.
std::optional<GameRecord>
chooseGameRecordFromReply(http::ReplyBody body, text::CodePage ansiCodePage,
                          const std::optional<signature::PublicKey>& operatorKey);

// Fetches the update document at `address` and chooses the game's record from it, as the
// login window does at its creation. Throws the failures of the request, of the signature
// check and of the decoding.
std::optional<GameRecord> fetchGameRecord(http::HttpClient& client, std::string_view address,
                                          text::CodePage ansiCodePage,
                                          const std::optional<signature::PublicKey>& operatorKey);

} // namespace tarvenne::directory
