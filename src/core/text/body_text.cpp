#include "code_page.h"

namespace tarvenne::text {
namespace {

// No code page: decoding reads the bytes as ISO-8859-1.
constexpr CodePage noCodePage = 0;

// The page the charset selects when this platform can decode it.
CodePage bodyCodePage(std::string_view charset) {
    const std::optional<CodePage> codePage = codePageForCharset(charset);
    return codePage && canDecode(*codePage) ? *codePage : noCodePage;
}

} // namespace

std::u16string decodeBody(std::string_view bytes, std::string_view charset) {
    return decode(bytes, bodyCodePage(charset));
}

std::string encodeBody(std::string_view bytes, std::string_view charset, CodePage codePage) {
    return transcode(bytes, bodyCodePage(charset), codePage);
}

} // namespace tarvenne::text
