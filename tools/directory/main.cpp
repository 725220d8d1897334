// tarvenne-directory: the operator's check of an update document before it is published. It
// runs exactly the launcher's fetch and decoding and prints the outcome.
#include "base/error.h"
#include "base/error_text.h"
#include "base/utf.h"
#include "directory/fetch_server_entry.h"
#include "http/http_client.h"
#include "options.h"
#include "report.h"
#include "text/code_page.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <vector>

namespace tarvenne::tools {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string readFile(const std::string& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    std::string bytes;
    if (file) {
        std::error_code unknownSize;
        const auto size = std::filesystem::file_size(path, unknownSize);
        if (!unknownSize)
            bytes.reserve(static_cast<std::size_t>(size));
        char buffer[1 << 16];
        while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, file.get()))
            bytes.append(buffer, count);
    }
    if (!file || std::ferror(file.get()))
        throw Error(fromUtf8("Cannot read " + path + ": " + std::strerror(errno)));
    return bytes;
}

Outcome check(const Options& options) {
    const text::CodePage ansiCodePage = text::systemAnsiCodePage();
    try {
        if (options.file) {
            return {directory::chooseServerEntryFromBody(readFile(*options.file), "", ansiCodePage),
                    std::nullopt};
        }
        http::HttpClient client;
        return {directory::fetchServerEntry(client, options.url, ansiCodePage), std::nullopt};
    } catch (const std::exception& failure) {
        return {std::nullopt, errorBoxText(failure).value_or(std::u16string())};
    }
}

} // namespace
} // namespace tarvenne::tools

int main(int argc, char** argv) {
    using namespace tarvenne::tools;
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const std::optional<Options> options = parseOptions(arguments);
    if (!options) {
        std::cerr << usage;
        return 2;
    }
    const Outcome outcome = check(*options);
    if (options->json)
        std::cout << jsonReport(outcome);
    else
        (outcome.error ? std::cerr : std::cout) << plainReport(outcome);
    return outcome.error ? 1 : 0;
}
