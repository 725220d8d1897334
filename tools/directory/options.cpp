#include "options.h"

#include "directory/update_list_url.h"

namespace tarvenne::tools {

const std::string_view usage =
    "Usage: tarvenne-directory [--json] [URL | --file PATH]\n"
    "\n"
    "Fetches the update document as the launcher does (by default from the built-in address\n"
    "of the directory server, or from URL), decodes it and prints the record that the\n"
    "launcher would choose, or the message its error box would show.\n"
    "\n"
    "  --file PATH  read the document from a local file, as a reply body without charset\n"
    "  --json       print one JSON object: {\"record\": {...}}, {\"record\": null} or\n"
    "               {\"error\": \"...\"}\n"
    "\n"
    "The ANSI code page follows the locale (LC_ALL, LC_CTYPE, LANG), e.g. LANG=zh_CN for 936.\n"
    "Exit status: 0 when the document decodes, 1 when it fails.\n";

std::optional<Options> parseOptions(std::span<const std::string_view> arguments) {
    Options options;
    std::optional<std::string> url;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--file" && i + 1 < arguments.size() && !options.file) {
            options.file = std::string(arguments[++i]);
        } else if (!argument.starts_with("-") && !url) {
            url = std::string(argument);
        } else {
            return std::nullopt;
        }
    }
    if (url && options.file)
        return std::nullopt;
    options.url = url.value_or(std::string(directory::UpdateListUrl));
    return options;
}

} // namespace tarvenne::tools
