#include "document_signing.h"

#include "base/error.h"
#include "directory/choose_game_record.h"
#include "directory/document_signature.h"
#include "lookup.h"

namespace tarvenne::tools {
namespace {

Outcome launcherOutcome(std::string_view body, std::string_view charset,
                        text::CodePage ansiCodePage) {
    try {
        return {directory::chooseGameRecordFromBody(ByteBuffer(body), charset, ansiCodePage),
                std::nullopt};
    } catch (const std::exception& failure) {
        return failureOutcome(failure);
    }
}

} // namespace

std::string signedDocument(std::string_view document, std::string_view charset,
                           text::CodePage ansiCodePage, const signature::PrivateKey& key,
                           const std::optional<signature::PublicKey>& operatorKey) {
    std::string signedDocument = directory::signDocument(document, key);
    if (launcherOutcome(signedDocument, charset, ansiCodePage) !=
        launcherOutcome(document, charset, ansiCodePage))
        throw Error(u"Signing would change what the launcher reads: the signature record would "
                    u"join the end of the document's last record. Check the document with "
                    u"--check; a charset that does not keep ASCII as it is cannot carry a "
                    u"signature.");
    if (operatorKey &&
        directory::signatureState(signedDocument, *operatorKey) != directory::SignatureState::Valid)
        throw Error(u"The private key does not belong to the operator's public key built into "
                    u"this tool: launchers built with that key would refuse the document.");
    return signedDocument;
}

} // namespace tarvenne::tools
