#include "base/application_title.h"

#include "base/lower_case.h"

namespace tarvenne {

std::u16string applicationTitle(std::u16string_view executablePath) {
    const auto slash = executablePath.find_last_of(u"/\\");
    std::u16string_view name =
        slash == std::u16string_view::npos ? executablePath : executablePath.substr(slash + 1);
    name = name.substr(0, name.find(u'.'));
    if (name.empty())
        return std::u16string();
    return name.front() + toLowerCase(name.substr(1));
}

} // namespace tarvenne
