#include "directory/document_signature.h"

#include "base/error.h"
#include "directory/document_format.h"
#include "signature/base64url.h"

#include <algorithm>

namespace tarvenne::directory {
namespace {

// Without the blanks at the end, which the launcher trims from the document.
std::string_view withoutBlankEnd(std::string_view bytes) {
    while (!bytes.empty() && isBlank(static_cast<unsigned char>(bytes.back())))
        bytes.remove_suffix(1);
    return bytes;
}

template <typename Text> bool startsAsSignatureRecord(Text record) {
    const std::size_t nameLength = signatureRecordName.size();
    return record.size() > nameLength && record[nameLength] == fieldSeparator &&
           std::ranges::equal(record.substr(0, nameLength), signatureRecordName);
}

} // namespace

std::optional<SignatureRecord> findSignatureRecord(std::string_view body) {
    const std::size_t start = body.rfind(recordSeparator);
    if (start == std::string_view::npos || !startsAsSignatureRecord(body.substr(start + 1)))
        return std::nullopt;
    const std::string_view signature =
        withoutBlankEnd(body.substr(start + 1 + signatureRecordName.size() + 1));
    return SignatureRecord{start, body.substr(0, start), signature};
}

bool isSignatureRecord(std::u16string_view record) {
    return startsAsSignatureRecord(record);
}

SignatureState signatureState(std::string_view body, const signature::PublicKey& operatorKey) {
    const std::optional<SignatureRecord> record = findSignatureRecord(body);
    if (!record)
        return SignatureState::Missing;
    const std::optional<std::string> der = signature::base64UrlDecode(record->signature);
    if (!der || der->empty())
        return SignatureState::Malformed;
    return operatorKey.verifies(record->signedBytes, *der) ? SignatureState::Valid
                                                           : SignatureState::Wrong;
}

void checkOperatorSignature(std::string_view body, const signature::PublicKey& operatorKey) {
    if (signatureState(body, operatorKey) != SignatureState::Valid)
        throw Error(std::u16string(notSignedByOperator));
}

std::optional<signature::PublicKey> operatorKeyFromPem(std::string_view pem) {
    if (pem.empty())
        return std::nullopt;
    return signature::PublicKey::fromPem(pem);
}

std::string signDocument(std::string_view document, const signature::PrivateKey& key) {
    while (const std::optional<SignatureRecord> previous = findSignatureRecord(document))
        document = previous->signedBytes;
    const std::string_view signedBytes = withoutBlankEnd(document);
    std::string signedDocument(signedBytes);
    signedDocument += recordSeparator;
    signedDocument += signatureRecordName;
    signedDocument += fieldSeparator;
    signedDocument += signature::base64UrlEncode(key.sign(signedBytes));
    signedDocument += '\n';
    return signedDocument;
}

} // namespace tarvenne::directory
