#pragma once

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tarvenne::demo {

// `text` made safe for HTML text and for double-quoted attribute values.
std::string htmlEscape(std::string_view text);

// `page` with every "{{name}}" replaced by the value given for name; values are placed as
// they are, so HTML values must be escaped first.
std::string
fillTemplate(std::string_view page,
             std::initializer_list<std::pair<std::string_view, std::string_view>> values);

// The value of cookie `name` in the value of a Cookie request header.
std::optional<std::string> cookieValue(std::string_view header, std::string_view name);

// The media type under which a site file is served, chosen by its name's extension.
std::string_view contentType(std::string_view fileName);

} // namespace tarvenne::demo
