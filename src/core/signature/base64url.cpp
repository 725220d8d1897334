#include "signature/base64url.h"

#include <array>
#include <cstdint>

namespace tarvenne::signature {
namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

constexpr int notInAlphabet = -1;

constexpr std::array<int, 256> sextetValues = [] {
    std::array<int, 256> values{};
    values.fill(notInAlphabet);
    for (std::size_t i = 0; i < alphabet.size(); ++i)
        values[static_cast<unsigned char>(alphabet[i])] = static_cast<int>(i);
    return values;
}();

} // namespace

std::string base64UrlEncode(std::string_view bytes) {
    std::string text;
    text.reserve((bytes.size() * 4 + 2) / 3);
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (const char byte : bytes) {
        bits = (bits << 8) | static_cast<unsigned char>(byte);
        bitCount += 8;
        while (bitCount >= 6) {
            bitCount -= 6;
            text.push_back(alphabet[(bits >> bitCount) & 0x3F]);
        }
    }
    if (bitCount > 0)
        text.push_back(alphabet[(bits << (6 - bitCount)) & 0x3F]);
    return text;
}

std::optional<std::string> base64UrlDecode(std::string_view text) {
    if (text.size() % 4 == 1)
        return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() * 3 / 4);
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (const char c : text) {
        const int value = sextetValues[static_cast<unsigned char>(c)];
        if (value == notInAlphabet)
            return std::nullopt;
        bits = (bits << 6) | static_cast<std::uint32_t>(value);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes.push_back(static_cast<char>((bits >> bitCount) & 0xFF));
        }
    }
    if ((bits & ((1u << bitCount) - 1)) != 0)
        return std::nullopt;
    return bytes;
}

} // namespace tarvenne::signature
