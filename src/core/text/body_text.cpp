#include "base/utf.h"
#include "code_page.h"

namespace tarvenne::text {

std::u16string decodeBody(std::string_view bytes, std::string_view charset) {
    const std::optional<CodePage> codePage = codePageForCharset(charset);
    if (codePage && canDecode(*codePage))
        return decode(bytes, *codePage);
    return fromLatin1(bytes);
}

} // namespace tarvenne::text
