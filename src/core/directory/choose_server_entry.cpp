#include "base/error.h"
#include "base/utf.h"
#include "server_directory.h"

#include <string>

namespace tarvenne::directory {
namespace {

constexpr std::u16string_view recordSeparator = u"^";
constexpr std::u16string_view fieldSeparator = u"|";

// White space and control characters (U+0020 and below) at both ends are not part of the
// document.
std::u16string_view trimmed(std::u16string_view text) {
    const auto isBlank = [](char16_t c) { return c <= u' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The record's first field, or nothing for a record of field separators only: what Split would
// give first, without splitting the rest of a record that is not chosen.
std::optional<std::u16string_view> firstField(std::u16string_view record) {
    const std::size_t start = record.find_first_not_of(fieldSeparator);
    if (start == std::u16string_view::npos)
        return std::nullopt;
    return record.substr(start, record.find(fieldSeparator, start) - start);
}

Error listIndexOutOfBounds(int index) {
    return Error(u"List index out of bounds (" + fromLatin1(std::to_string(index)) + u")");
}

} // namespace

// The document passes through the ANSI code page around its URL decoding, so that an escape
// stands for a byte of that page and positions count its bytes.
std::optional<ServerEntry> chooseServerEntry(std::u16string document, text::CodePage ansiCodePage) {
    std::string bytes = text::encode(document, ansiCodePage);
    std::u16string().swap(document);
    bytes = urlDecode(std::move(bytes), ansiCodePage);
    const std::u16string decoded = text::decode(bytes, ansiCodePage);
    std::string().swap(bytes);
    for (const std::u16string_view record : Split(trimmed(decoded), recordSeparator)) {
        const std::optional<std::u16string_view> name = firstField(record);
        if (!name)
            throw listIndexOutOfBounds(0);
        if (*name != GameName)
            continue;
        const std::vector<std::u16string_view> fields = Split(record, fieldSeparator);
        if (fields.size() < 4)
            throw listIndexOutOfBounds(3);
        return ServerEntry{std::u16string(fields[0]), std::u16string(fields[1]),
                           std::u16string(fields[2]), std::u16string(fields[3])};
    }
    return std::nullopt;
}

} // namespace tarvenne::directory
