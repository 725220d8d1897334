#include "base/utf.h"
#include "code_page.h"
#include "icu_converter_names.h"

#include <memory>
#include <unicode/ucnv.h>
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

// Legacy pages write their default character, a question mark, for what they cannot hold, and
// take the nearest equivalent where the page's mapping table names one.
ConverterPointer openConverter(CodePage codePage) {
    const char* name = icuConverterName(codePage);
    if (name == nullptr)
        return nullptr;
    UErrorCode status = U_ZERO_ERROR;
    ConverterPointer converter(ucnv_open(name, &status));
    if (U_FAILURE(status))
        return nullptr;
    ucnv_setFallback(converter.get(), true);
    if (!isUnicodeConverter(converter.get())) {
        ucnv_setSubstString(converter.get(), u"?", 1, &status);
        if (U_FAILURE(status))
            return nullptr;
    }
    return converter;
}

// ICU converters keep state and must not be shared between threads: each thread opens its own,
// once per code page, and resets it before every use.
UConverter* converterFor(CodePage codePage) {
    thread_local std::unordered_map<CodePage, ConverterPointer> converters;
    auto [entry, opened] = converters.try_emplace(codePage);
    if (opened)
        entry->second = openConverter(codePage);
    if (entry->second)
        ucnv_reset(entry->second.get());
    return entry->second.get();
}

// Runs one whole conversion, growing the output whenever it fills up; false on a failure of
// the converter itself (the substituting callbacks never report one for the input).
template <typename Output, typename Input, typename Step>
bool convertAll(Output& out, Input input, Step step) {
    out.resize(input.size() + 16);
    auto* source = input.data();
    const auto* sourceLimit = input.data() + input.size();
    std::size_t written = 0;
    for (;;) {
        auto* target = out.data() + written;
        UErrorCode status = U_ZERO_ERROR;
        step(&target, out.data() + out.size(), &source, sourceLimit, &status);
        written = static_cast<std::size_t>(target - out.data());
        if (status == U_BUFFER_OVERFLOW_ERROR) {
            out.resize(out.size() * 2);
            continue;
        }
        out.resize(written);
        return U_SUCCESS(status);
    }
}

} // namespace

bool canDecode(CodePage codePage) {
    return converterFor(codePage) != nullptr;
}

std::u16string decode(std::string_view bytes, CodePage codePage) {
    UConverter* converter = converterFor(codePage);
    if (converter == nullptr)
        return fromLatin1(bytes);
    std::u16string text;
    const bool converted =
        convertAll(text, bytes,
                   [converter](char16_t** target, const char16_t* targetLimit, const char** source,
                               const char* sourceLimit, UErrorCode* status) {
                       ucnv_toUnicode(converter, target, targetLimit, source, sourceLimit, nullptr,
                                      true, status);
                   });
    if (!converted)
        return fromLatin1(bytes);
    return text;
}

std::string encode(std::u16string_view text, CodePage codePage) {
    UConverter* converter = converterFor(codePage);
    if (converter == nullptr)
        return toLatin1(text);
    std::string bytes;
    const bool converted =
        convertAll(bytes, text,
                   [converter](char** target, const char* targetLimit, const char16_t** source,
                               const char16_t* sourceLimit, UErrorCode* status) {
                       ucnv_fromUnicode(converter, target, targetLimit, source, sourceLimit,
                                        nullptr, true, status);
                   });
    if (!converted)
        return toLatin1(text);
    return bytes;
}

} // namespace tarvenne::text
