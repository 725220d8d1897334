#include "http/header_list.h"

#include "base/ascii.h"

namespace tarvenne::http {

// [rfc7230] 3.2. Header Fields; 3.2.4. obs-fold continues a value on the next line.
void HeaderList::addLine(std::string_view line) {
    const bool continues = !line.empty() && (line.front() == ' ' || line.front() == '\t');
    if (continues && !fields_.empty()) {
        std::string& value = fields_.back().value;
        value.resize(trimmedEnd(value).size());
        value += ' ';
        value += trimmed(line);
        return;
    }
    const auto colon = line.find(':');
    if (colon == std::string_view::npos) {
        fields_.push_back({std::string(line), {}});
        return;
    }
    fields_.push_back({std::string(line.substr(0, colon)), std::string(line.substr(colon + 1))});
}

std::optional<std::string_view> HeaderList::value(std::string_view name) const {
    for (const Field& field : fields_)
        if (equalsIgnoringCase(field.name, name))
            return trimmed(field.value);
    return std::nullopt;
}

std::vector<std::string_view> HeaderList::values(std::string_view name) const {
    std::vector<std::string_view> found;
    for (const Field& field : fields_)
        if (equalsIgnoringCase(field.name, name))
            found.push_back(trimmed(field.value));
    return found;
}

} // namespace tarvenne::http
