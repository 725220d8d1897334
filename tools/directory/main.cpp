// tarvenne-directory: the operator's check of an update document before it is published. It
// runs exactly the launcher's fetch and decoding and prints the outcome, or with --check lists
// every problem of the document.
#include "base/byte_buffer.h"
#include "base/error.h"
#include "base/error_text.h"
#include "base/utf.h"
#include "check_report.h"
#include "directory/fetch_server_entry.h"
#include "document_check.h"
#include "http/http_client.h"
#include "options.h"
#include "reply_check.h"
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

enum ExitStatus {
    Found = 0,
    Failed = 1,
    WrongUsage = 2,
    NoRecord = 3,
};

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// The file's bytes, read straight into their buffer.
ByteBuffer readFile(const std::string& path) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    ByteBuffer bytes;
    if (file) {
        std::error_code unknownSize;
        const auto size = std::filesystem::file_size(path, unknownSize);
        // One byte more than the file's size: the read that finds the file's end has room.
        if (!unknownSize)
            bytes.reserve(static_cast<std::size_t>(size) + 1);
        constexpr std::size_t readSize = 1 << 16;
        for (;;) {
            if (bytes.spareSize() == 0)
                bytes.reserveSpare(readSize, 0);
            const std::size_t count = std::fread(bytes.spare(), 1, bytes.spareSize(), file.get());
            bytes.commit(count);
            if (count == 0)
                break;
        }
    }
    if (!file || std::ferror(file.get()))
        throw Error(fromUtf8("Cannot read " + path + ": " + std::strerror(errno)));
    return bytes;
}

DocumentSource sourceOf(const Options& options) {
    if (options.file)
        return {DocumentSource::Kind::File, *options.file};
    return {DocumentSource::Kind::Address, options.url};
}

Outcome failureOutcome(const std::exception& failure) {
    return {std::nullopt, errorBoxText(failure).value_or(std::u16string())};
}

// Prints how a lookup ended; a failure's message goes to standard error.
void printOutcome(const Options& options, const Outcome& outcome) {
    if (options.json) {
        std::cout << jsonReport(sourceOf(options), outcome);
        return;
    }
    std::cout << sourceLine(sourceOf(options));
    (outcome.error ? std::cerr : std::cout) << plainReport(outcome);
}

int lookUp(const Options& options) {
    const text::CodePage ansiCodePage = text::systemAnsiCodePage();
    Outcome outcome;
    try {
        if (options.file) {
            outcome.entry = directory::chooseServerEntryFromBody(
                readFile(*options.file), options.charset.value_or(""), ansiCodePage);
        } else {
            http::HttpClient client;
            outcome.entry = directory::fetchServerEntry(client, options.url, ansiCodePage);
        }
    } catch (const std::exception& failure) {
        outcome = failureOutcome(failure);
    }
    printOutcome(options, outcome);
    return outcome.error ? Failed : outcome.entry ? Found : NoRecord;
}

void printCheckReport(const Options& options, const CheckedDocument& checked,
                      const CheckResult& result) {
    std::cout << (options.json ? jsonCheckReport(checked, result)
                               : plainCheckReport(checked, result));
}

int check(const Options& options) {
    CheckedDocument checked{sourceOf(options), "", text::systemAnsiCodePage()};
    // The body's bytes and declared charset, where the launcher goes on to the text, and the
    // head of the reply that brought them.
    http::ReplyBody document;
    std::optional<http::ReplyHead> head;
    if (options.file) {
        try {
            document = {readFile(*options.file), options.charset.value_or("")};
        } catch (const std::exception& failure) {
            printOutcome(options, failureOutcome(failure));
            return Failed;
        }
    } else {
        http::HttpClient client;
        try {
            document = client.getBody(options.url);
            head = client.lastReplyHead();
        } catch (const std::exception& failure) {
            CheckResult result;
            result.launcher = failureOutcome(failure);
            result.replyProblems.push_back(fetchFailureProblem(failure, client.lastReplyHead()));
            printCheckReport(options, checked, result);
            return checkExitStatus(result);
        }
    }
    checked.charset = document.charset;
    CheckResult result =
        checkDocument(document.bytes.view(), document.charset, checked.ansiCodePage);
    // The problems of a body that is no update document at all would only follow from that.
    if (std::optional<ReplyProblem> kind =
            bodyKindProblem(document.bytes.view(), head ? &head->headers : nullptr, result.launcher,
                            options.file.has_value())) {
        result.problems.clear();
        result.replyProblems.push_back(std::move(*kind));
    }
    printCheckReport(options, checked, result);
    return checkExitStatus(result);
}

} // namespace
} // namespace tarvenne::tools

int main(int argc, char** argv) {
    using namespace tarvenne::tools;
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    Command command;
    try {
        command = parseCommand(arguments);
    } catch (const UsageError& wrong) {
        std::cerr << "tarvenne-directory: " << wrong.what()
                  << "\nTry 'tarvenne-directory --help' for more information.\n";
        return WrongUsage;
    }
    if (std::holds_alternative<HelpRequest>(command)) {
        std::cout << usage;
        return Found;
    }
    if (std::holds_alternative<VersionRequest>(command)) {
        std::cout << "tarvenne-directory " TARVENNE_VERSION "\n";
        return Found;
    }
    const Options& options = std::get<Options>(command);
    return options.mode == Options::Mode::Check ? check(options) : lookUp(options);
}
