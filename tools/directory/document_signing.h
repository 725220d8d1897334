#pragma once

#include "signature/ecdsa_p256.h"
#include "text/code_page.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvenne::tools {

// The document, served with `charset`, signed with the operator's private key: its signature
// records replaced by a new one. Throws Error when the launcher, reading through
// `ansiCodePage`, would take something else from the signed document than from the document
// itself, and when the operator's public key built in, if any, does not verify the signature.
std::string signedDocument(std::string_view document, std::string_view charset,
                           text::CodePage ansiCodePage, const signature::PrivateKey& key,
                           const std::optional<signature::PublicKey>& operatorKey);

} // namespace tarvenne::tools
