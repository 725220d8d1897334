#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace tarvenne::fuzz {

// What the fuzz targets and the corpus replay feed their bytes to. Each runs the launcher's own
// code on the bytes; the failures the launcher reports (Error) are outcomes, not faults. A broken
// rule is thrown as BrokenRule, which neither the launcher nor these functions catch.
struct BrokenRule : std::logic_error {
    using std::logic_error::logic_error;
};

// Byte 0 picks how many bytes each read of the reply yields; the rest is the reply: read
// through its heads (cookies stored), judged, its body read by its framing and decoded by its
// charset.
void readReply(std::span<const std::uint8_t> data);

// Byte 0 picks a code page; the rest is URL-decoded.
void decodeUrl(std::span<const std::uint8_t> data);

// Byte 0 picks the body's charset, byte 1 the ANSI code page, byte 2 the size of the pieces in
// which the decoded text reaches the record chooser; the rest is an update document's body.
// The record is chosen from the body and from its text, which must agree, and checked against
// a plain split of the whole text.
void chooseRecord(std::span<const std::uint8_t> data);

// An update document's body, whose signature record is found and checked with a fixed operator
// key, as a launcher built with a key checks it. The record is missing exactly when no signature
// record ends the body, and a signature that decodes is the one encoding of its bytes.
void checkSignature(std::span<const std::uint8_t> data);

} // namespace tarvenne::fuzz
