// tarvenne-directory: the operator's check of an update document before it is published. It
// runs exactly the launcher's fetch, signature check and decoding and prints the outcome, with
// --check lists every problem of the document, and with --sign signs it.
#include "base/byte_buffer.h"
#include "base/error.h"
#include "base/utf.h"
#include "check_report.h"
#include "directory/document_signature.h"
#include "directory/fetch_game_record.h"
#include "directory/operator_key.h"
#include "document_check.h"
#include "document_signing.h"
#include "http/http_client.h"
#include "options.h"
#include "reply_check.h"
#include "report.h"
#include "signature_check.h"
#include "standard_output.h"
#include "text/system_code_page.h"

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

// Prints how a lookup ended; a failure's message goes to standard error.
void printOutcome(const Options& options, const Outcome& outcome) {
    if (options.json) {
        std::cout << jsonReport(sourceOf(options), outcome);
        return;
    }
    std::cout << sourceLine(sourceOf(options));
    (outcome.error ? std::cerr : std::cout) << plainReport(outcome);
}

int lookUp(const Options& options, const std::optional<signature::PublicKey>& operatorKey) {
    const text::CodePage ansiCodePage = text::systemAnsiCodePage();
    Outcome outcome;
    try {
        if (options.file) {
            outcome.entry = directory::chooseGameRecordFromReply(
                {readFile(*options.file), options.charset.value_or("")}, ansiCodePage, operatorKey);
        } else {
            http::HttpClient client;
            outcome.entry =
                directory::fetchGameRecord(client, options.url, ansiCodePage, operatorKey);
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

int check(const Options& options, const std::optional<signature::PublicKey>& operatorKey) {
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
    if (operatorKey)
        checkSignature(result, document.bytes.view(), document.charset, *operatorKey);
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

// Writes the signed document to standard output, and nothing when it cannot be signed.
int sign(const Options& options, const std::optional<signature::PublicKey>& operatorKey) {
    try {
        const ByteBuffer document = readFile(*options.file);
        const auto key = signature::PrivateKey::fromPem(readFile(options.signingKey).view());
        const std::string signedBytes =
            signedDocument(document.view(), options.charset.value_or(""),
                           text::systemAnsiCodePage(), key, operatorKey);
        if (!writeBytesToStandardOutput(signedBytes))
            throw Error(u"Cannot write the signed document.");
    } catch (const std::exception& failure) {
        std::cerr << "tarvenne-directory: " << failure.what() << "\n";
        return Failed;
    }
    return Found;
}

int run(const Options& options) {
    std::optional<signature::PublicKey> operatorKey;
    try {
        operatorKey = directory::operatorKeyFromPem(directory::builtInOperatorKey);
    } catch (const std::exception& failure) {
        std::cerr << "tarvenne-directory: the operator's key built in: " << failure.what() << "\n";
        return Failed;
    }
    switch (options.mode) {
    case Options::Mode::Check:
        return check(options, operatorKey);
    case Options::Mode::Sign:
        return sign(options, operatorKey);
    default:
        return lookUp(options, operatorKey);
    }
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
    return run(std::get<Options>(command));
}
