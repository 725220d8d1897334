#include "base/byte_buffer.h"
#include "text/body_text.h"
#include "text/conversion.h"
#include "text/icu_converter_names.h"

#include <gtest/gtest.h>
#include <memory>
#include <unicode/ucnv.h>

namespace tarvenne::text {
namespace {

// Single-byte pages are read and written through tables and runs of ASCII eight bytes at a
// time; ICU's own conversion of the whole input is the reference.
const CodePage singleBytePages[] = {37,    437,   850,   866,   874,   1250,  1251,
                                    1252,  1253,  1254,  1255,  1256,  1257,  1258,
                                    10000, 20866, 28591, 28592, 28595, 28597, 28598};

// Every byte in order (whole ASCII words, then whole non-ASCII ones), every byte against its
// mirror (words that mix both), and a tail shorter than a word.
std::string everyByteInEveryKindOfWord() {
    std::string bytes;
    for (int byte = 0; byte < 256; ++byte)
        bytes += static_cast<char>(byte);
    for (int byte = 0; byte < 256; ++byte) {
        bytes += static_cast<char>(byte);
        bytes += static_cast<char>(255 - byte);
    }
    return bytes + "a\xE9z";
}

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

std::u16string icuDecoded(std::string_view bytes, CodePage codePage) {
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<UConverter, ConverterCloser> converter(
        ucnv_open(icuConverterName(codePage), &status));
    std::u16string text(bytes.size(), u'\0');
    const auto length =
        ucnv_toUChars(converter.get(), text.data(), static_cast<int32_t>(text.size()), bytes.data(),
                      static_cast<int32_t>(bytes.size()), &status);
    EXPECT_TRUE(U_SUCCESS(status)) << u_errorName(status);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

TEST(SingleBytePages, DecodeAsIcuDoesForEveryByte) {
    const std::string bytes = everyByteInEveryKindOfWord();
    for (const CodePage codePage : singleBytePages) {
        SCOPED_TRACE(codePage);
        ASSERT_TRUE(readsByteForByte(codePage));
        EXPECT_EQ(decode(bytes, codePage), icuDecoded(bytes, codePage));
    }
}

TEST(SingleBytePages, BodiesConvertAsDecodingThenEncodingDoes) {
    const std::string bytes = everyByteInEveryKindOfWord();
    for (const std::string_view charset : {"iso-8859-1", "windows-1251", "IBM037", "koi8-r"}) {
        for (const CodePage to : {1252, 1251, 874}) {
            SCOPED_TRACE(std::string(charset) + " to " + std::to_string(to));
            EXPECT_EQ(encodeBody(ByteBuffer(bytes), charset, to).view(),
                      encode(decodeBody(bytes, charset), to));
        }
    }
}

} // namespace
} // namespace tarvenne::text
