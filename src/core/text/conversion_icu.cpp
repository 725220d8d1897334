#include "base/utf.h"
#include "text/best_fit_table.h"
#include "text/conversion.h"
#include "text/icu_converter_names.h"

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <span>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unordered_map>

namespace tarvenne::text {
namespace {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPointer = std::unique_ptr<UConverter, ConverterCloser>;

bool isUnicodeConverter(const UConverter* converter) {
    switch (ucnv_getType(converter)) {
    case UCNV_UTF8:
    case UCNV_UTF16:
    case UCNV_UTF16_BigEndian:
    case UCNV_UTF16_LittleEndian:
    case UCNV_UTF32:
    case UCNV_UTF32_BigEndian:
    case UCNV_UTF32_LittleEndian:
    case UCNV_UTF7:
        return true;
    default:
        return false;
    }
}

// Writes, for a character that the page cannot hold, the look-alike that the page's best-fit
// table names, else the substitute. ICU's own substituting callback writes nothing for
// default-ignorable characters (U+00AD, U+200B, U+FEFF, ...); Windows writes the default
// character for them as for every other character that a page lacks.
void writeBestFitOrSubstitute(const void* context, UConverterFromUnicodeArgs* arguments,
                              const UChar*, int32_t, UChar32 codePoint,
                              UConverterCallbackReason reason, UErrorCode* status) {
    if (reason > UCNV_IRREGULAR)
        return;
    *status = U_ZERO_ERROR;
    const auto* table = static_cast<const std::span<const BestFit>*>(context);
    if (codePoint <= 0xFFFF) {
        if (const auto bytes = bestFitBytes(*table, static_cast<char16_t>(codePoint))) {
            ucnv_cbFromUWriteBytes(arguments, bytes->data(), static_cast<int32_t>(bytes->size()), 0,
                                   status);
            return;
        }
    }
    ucnv_cbFromUWriteSub(arguments, 0, status);
}

// Legacy pages write their default character, a question mark, for what they cannot hold.
// Where the conversion is to text, and for writing pages without a best-fit table, a byte
// sequence or character that the page's mapping table marks as a fallback is taken too.
ConverterPointer openConverter(CodePage codePage, bool forWriting) {
    const char* name = icuConverterName(codePage);
    if (name == nullptr)
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    ConverterPointer converter(ucnv_open(name, &status));
    if (U_FAILURE(status))
        return nullptr;
    if (!isUnicodeConverter(converter.get())) {
        ucnv_setSubstString(converter.get(), u"?", 1, &status);
        if (U_FAILURE(status))
            return nullptr;
    }
    if (!forWriting) {
        ucnv_setFallback(converter.get(), true);
        return converter;
    }
    const std::span<const BestFit>& table = bestFitTable(codePage);
    ucnv_setFallback(converter.get(), table.empty());
    UConverterFromUCallback previous = nullptr;
    const void* previousContext = nullptr;
    ucnv_setFromUCallBack(converter.get(), writeBestFitOrSubstitute, &table, &previous,
                          &previousContext, &status);
    return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

// ICU converters keep state and must not be shared between threads: each thread opens its own,
// once per code page and direction, and resets it before every use.
UConverter* converterFor(CodePage codePage, bool forWriting = false) {
    thread_local std::unordered_map<CodePage, ConverterPointer> converters[2];
    auto [entry, opened] = converters[forWriting ? 1 : 0].try_emplace(codePage);
    if (opened)
        entry->second = openConverter(codePage, forWriting);
    if (entry->second)
        ucnv_reset(entry->second.get());
    return entry->second.get();
}

UConverter* writingConverterFor(CodePage codePage) {
    return converterFor(codePage, true);
}

// Units of text, or bytes, converted at a time: the conversions run through buffers of this size
// rather than through whole copies of their input.
constexpr std::size_t pieceSize = 64 * 1024;

// A buffer for the conversion of `inputSize` units: a piece, or less for a short input (a
// conversion that needs more goes on in further rounds).
std::size_t bufferSizeFor(std::size_t inputSize) {
    return std::min(pieceSize, 2 * inputSize + 16);
}

// Hands `bytes` read as ISO-8859-1 to `take`, piece by piece, until it stops.
void latin1InPieces(std::string_view bytes, const std::function<bool(std::u16string_view)>& take) {
    for (std::size_t at = 0; at < bytes.size(); at += pieceSize)
        if (!take(fromLatin1(bytes.substr(at, pieceSize))))
            return;
}

// For a page that reads each byte on its own as one UTF-16 unit: the unit of each byte.
std::optional<CharacterTable> characterTableOf(UConverter* converter) {
    if (converter == nullptr || ucnv_getMaxCharSize(converter) != 1)
        return std::nullopt;
    CharacterTable table{};
    for (int byte = 0; byte < 256; ++byte) {
        const char input = static_cast<char>(byte);
        const char* source = &input;
        char16_t units[2];
        char16_t* target = units;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_reset(converter);
        ucnv_toUnicode(converter, &target, units + 2, &source, &input + 1, nullptr, true, &status);
        if (U_FAILURE(status) || target != units + 1)
            return std::nullopt;
        table[static_cast<std::size_t>(byte)] = units[0];
    }
    return table;
}

// Units read through a table at a time: small enough for the processor's cache.
constexpr std::size_t tablePieceSize = 16 * 1024;

// Hands `bytes` read through `table` to `take`, piece by piece, until it stops.
void tableInPieces(std::string_view bytes, const CharacterTable& table,
                   const std::function<bool(std::u16string_view)>& take) {
    std::u16string piece(std::min(tablePieceSize, bytes.size()), u'\0');
    for (std::size_t at = 0; at < bytes.size(); at += tablePieceSize) {
        const std::string_view part = bytes.substr(at, tablePieceSize);
        for (std::size_t i = 0; i < part.size(); ++i)
            piece[i] = table[static_cast<unsigned char>(part[i])];
        if (!take(std::u16string_view(piece).substr(0, part.size())))
            return;
    }
}

// Appends `text` in the converter's page to `bytes` (a std::string or a ByteBuffer); with
// `flush`, also what the converter still holds. What the converter itself fails on (the
// substituting callbacks report nothing for the input) is written as ISO-8859-1.
template <typename Bytes>
void appendEncoded(UConverter* converter, std::u16string_view text, bool flush, Bytes& bytes) {
    if (converter == nullptr) {
        bytes.append(std::string_view(toLatin1(text)));
        return;
    }
    std::string piece(bufferSizeFor(text.size()), '\0');
    const char16_t* source = text.data();
    const char16_t* const sourceLimit = text.data() + text.size();
    for (;;) {
        char* target = piece.data();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_fromUnicode(converter, &target, piece.data() + piece.size(), &source, sourceLimit,
                         nullptr, flush, &status);
        bytes.append(
            std::string_view(piece.data(), static_cast<std::size_t>(target - piece.data())));
        if (status == U_BUFFER_OVERFLOW_ERROR)
            continue;
        if (U_FAILURE(status))
            bytes.append(std::string_view(
                toLatin1({source, static_cast<std::size_t>(sourceLimit - source)})));
        return;
    }
}

} // namespace

bool canDecode(CodePage codePage) {
    return converterFor(codePage) != nullptr;
}

bool readsByteForByte(CodePage codePage) {
    const UConverter* converter = converterFor(codePage);
    return converter == nullptr || ucnv_getMaxCharSize(converter) == 1;
}

const std::optional<CharacterTable>& characterTable(CodePage codePage) {
    thread_local std::unordered_map<CodePage, std::optional<CharacterTable>> tables;
    auto found = tables.find(codePage);
    if (found == tables.end())
        found = tables.emplace(codePage, characterTableOf(converterFor(codePage))).first;
    return found->second;
}

// What the converter itself fails on (the substituting callbacks report nothing for the input)
// is read as ISO-8859-1. A page that reads byte for byte is read through its table.
void decodeInPieces(std::string_view bytes, CodePage codePage,
                    const std::function<bool(std::u16string_view)>& take) {
    if (const auto& table = characterTable(codePage)) {
        tableInPieces(bytes, *table, take);
        return;
    }
    UConverter* converter = converterFor(codePage);
    if (converter == nullptr) {
        latin1InPieces(bytes, take);
        return;
    }
    std::u16string piece(bufferSizeFor(bytes.size()), u'\0');
    const char* source = bytes.data();
    const char* const sourceLimit = bytes.data() + bytes.size();
    for (;;) {
        char16_t* target = piece.data();
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(converter, &target, piece.data() + piece.size(), &source, sourceLimit,
                       nullptr, true, &status);
        const auto written = static_cast<std::size_t>(target - piece.data());
        if (written > 0 && !take({piece.data(), written}))
            return;
        if (status == U_BUFFER_OVERFLOW_ERROR)
            continue;
        if (U_FAILURE(status))
            latin1InPieces({source, static_cast<std::size_t>(sourceLimit - source)}, take);
        return;
    }
}

std::u16string decode(std::string_view bytes, CodePage codePage) {
    std::u16string text;
    text.reserve(bytes.size());
    decodeInPieces(bytes, codePage, [&text](std::u16string_view piece) {
        text += piece;
        return true;
    });
    return text;
}

std::string encode(std::u16string_view text, CodePage codePage) {
    std::string bytes;
    bytes.reserve(text.size());
    appendEncoded(writingConverterFor(codePage), text, true, bytes);
    return bytes;
}

ByteBuffer transcode(std::string_view bytes, CodePage from, CodePage to) {
    UConverter* target = writingConverterFor(to);
    ByteBuffer out;
    out.reserve(bytes.size());
    decodeInPieces(bytes, from, [&](std::u16string_view piece) {
        appendEncoded(target, piece, false, out);
        return true;
    });
    appendEncoded(target, std::u16string_view(u"", 0), true, out);
    return out;
}

} // namespace tarvenne::text
