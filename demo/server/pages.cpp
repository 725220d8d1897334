#include "pages.h"

namespace tarvenne::demo {

std::string htmlEscape(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&#39;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string
fillTemplate(std::string_view page,
             std::initializer_list<std::pair<std::string_view, std::string_view>> values) {
    std::string filled;
    filled.reserve(page.size());
    while (!page.empty()) {
        const auto open = page.find("{{");
        const auto close = open == std::string_view::npos ? open : page.find("}}", open + 2);
        if (close == std::string_view::npos) {
            filled += page;
            break;
        }
        filled += page.substr(0, open);
        const auto name = page.substr(open + 2, close - open - 2);
        bool known = false;
        for (const auto& [key, value] : values) {
            if (key == name) {
                filled += value;
                known = true;
                break;
            }
        }
        if (!known) {
            filled += page.substr(open, close + 2 - open);
        }
        page.remove_prefix(close + 2);
    }
    return filled;
}

// [rfc6265] 4.2.1. cookie-string = cookie-pair *( ";" SP cookie-pair )
std::optional<std::string> cookieValue(std::string_view header, std::string_view name) {
    while (!header.empty()) {
        const auto end = header.find(';');
        auto pair = header.substr(0, end);
        header = end == std::string_view::npos ? std::string_view{} : header.substr(end + 1);
        while (!pair.empty() && pair.front() == ' ') {
            pair.remove_prefix(1);
        }
        const auto equals = pair.find('=');
        if (equals != std::string_view::npos && pair.substr(0, equals) == name) {
            auto value = pair.substr(equals + 1);
            while (!value.empty() && value.back() == ' ') {
                value.remove_suffix(1);
            }
            return std::string{value};
        }
    }
    return std::nullopt;
}

std::string_view contentType(std::string_view fileName) {
    static constexpr std::pair<std::string_view, std::string_view> types[] = {
        {".html", "text/html; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".svg", "image/svg+xml"},
    };
    for (const auto& [extension, type] : types) {
        if (fileName.ends_with(extension)) {
            return type;
        }
    }
    return "application/octet-stream";
}

} // namespace tarvenne::demo
