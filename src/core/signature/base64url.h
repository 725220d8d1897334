#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvenne::signature {

// [RFC 4648] 5. Base 64 Encoding with URL and Filename Safe Alphabet, without padding.
std::string base64UrlEncode(std::string_view bytes);

// The bytes of a base64url text without padding, or nothing for a text that no bytes encode to:
// a character outside the alphabet (padding included), a length one more than a multiple of
// four, or bits after the last byte that are not zero ([RFC 4648] 3.5, canonical encoding).
std::optional<std::string> base64UrlDecode(std::string_view text);

} // namespace tarvenne::signature
