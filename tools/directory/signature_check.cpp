#include "signature_check.h"

#include "base/ascii.h"
#include "base/utf.h"
#include "directory/document_signature.h"
#include "document_text.h"
#include "text/body_text.h"

namespace tarvenne::tools {
namespace {

const std::string launcherFails =
    "the launcher fails with \"" + toUtf8(directory::notSignedByOperator) + "\"";

std::string messageFor(directory::SignatureState state) {
    switch (state) {
    case directory::SignatureState::Missing:
        return "the document does not end with a signature record: " + launcherFails +
               "; sign it with tarvenne-directory --sign KEY.pem";
    case directory::SignatureState::Malformed:
        return "the signature is not written in base64url without padding: " + launcherFails +
               "; sign the document again with tarvenne-directory --sign KEY.pem";
    default:
        return "the signature does not fit the document and the operator's key: the document "
               "was changed after it was signed, or it was signed with another key; " +
               launcherFails + "; sign it again with tarvenne-directory --sign KEY.pem";
    }
}

} // namespace

void checkSignature(CheckResult& result, std::string_view body, std::string_view charset,
                    const signature::PublicKey& operatorKey) {
    const directory::SignatureState state = directory::signatureState(body, operatorKey);
    if (state == directory::SignatureState::Valid)
        return;
    // At the signature record's separator, or where the document's text ends.
    const std::optional<directory::SignatureRecord> record = directory::findSignatureRecord(body);
    const std::string_view before = record ? record->signedBytes : trimmedEnd(body);
    const std::u16string text = text::decodeBody(body, charset);
    const auto [line, column] = TextPositions(text).at(text::decodeBody(before, charset).size());
    result.problems.push_back({Severity::Error, line, column, std::nullopt, messageFor(state)});
    sortByPlace(result.problems);
    result.launcher = {std::nullopt, std::u16string(directory::notSignedByOperator)};
}

} // namespace tarvenne::tools
