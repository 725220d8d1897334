#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvenne::http {

// The header lines of one reply head, in arrival order.
class HeaderList {
public:
    // Adds a "name: value" line; a line that begins with a space or a tab continues the
    // previous value, joined to it with one space.
    void addLine(std::string_view line);

    // The value of the first header of that name (compared without regard to case), without
    // white space and control characters at either end; nothing when there is none.
    std::optional<std::string_view> value(std::string_view name) const;

    // The values of every header of that name, in arrival order.
    std::vector<std::string_view> values(std::string_view name) const;

private:
    struct Field {
        std::string name;
        std::string value;
    };
    std::vector<Field> fields_;
};

} // namespace tarvenne::http
