#pragma once

#include "signature/ecdsa_p256.h"

#include <optional>
#include <string>
#include <string_view>

namespace tarvenne::directory {

// A signed update document ends with one more record: signatureRecordName, the field separator
// and the base64url encoding, without padding, of the operator's signature (ECDSA P-256 with
// SHA-256, DER) over the reply body's bytes before that record's record separator. White
// space after the signature is ignored. The record choice meets this record only when no
// earlier record is the game's, and passes over it.
inline constexpr std::string_view signatureRecordName = "~signature";

// What a launcher built with the operator's key shows for a document without its signature.
inline constexpr std::u16string_view notSignedByOperator =
    u"The update document is not signed by the operator.";

// The signature record that ends a document.
struct SignatureRecord {
    std::size_t start;            // the offset of its record separator
    std::string_view signedBytes; // the bytes before its record separator
    std::string_view signature;   // its signature as written, without the white space after it
};

// The document's last record, when it is a signature record: the bytes after the last record
// separator start with signatureRecordName and the field separator.
std::optional<SignatureRecord> findSignatureRecord(std::string_view body);

// Whether a record of the decoded document starts as a signature record does.
bool isSignatureRecord(std::u16string_view record);

enum class SignatureState {
    Missing,   // the document does not end with a signature record
    Malformed, // its signature is not base64url of a DER signature
    Wrong,     // its signature is not the key's over the bytes before it
    Valid,
};

SignatureState signatureState(std::string_view body, const signature::PublicKey& operatorKey);

// Throws Error(notSignedByOperator) unless the document's signature is valid.
void checkOperatorSignature(std::string_view body, const signature::PublicKey& operatorKey);

// The operator's key from its PEM text, nothing for an empty text: documents are not checked.
// Throws Error when the text holds no P-256 public key.
std::optional<signature::PublicKey> operatorKeyFromPem(std::string_view pem);

// The document with a signature record made with `key`, which replaces the signature records
// that the document ends with, if any. The white space at the document's end, which the
// launcher trims away, goes before the signature record is added, so that it does not become
// part of the last record; a line feed follows the signature.
std::string signDocument(std::string_view document, const signature::PrivateKey& key);

} // namespace tarvenne::directory
