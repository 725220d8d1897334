#include "server_directory.h"

namespace tarvenne::directory {

// One pass from the front: each search starts where the last separator ended, so the text is
// never copied and the whole split is linear in its length.
std::vector<std::u16string_view> Split(std::u16string_view text, std::u16string_view separator) {
    std::vector<std::u16string_view> pieces;
    if (separator.empty()) {
        // An empty separator occurs everywhere and would cut nothing off: the text stays whole.
        if (!text.empty())
            pieces.push_back(text);
        return pieces;
    }
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(separator, start);
        const std::size_t end = found == std::u16string_view::npos ? text.size() : found;
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        if (found == std::u16string_view::npos)
            return pieces;
        start = found + separator.size();
    }
}

} // namespace tarvenne::directory
