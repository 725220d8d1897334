#include "reply_check.h"

#include "base/ascii.h"
#include "base/error_text.h"
#include "base/utf.h"
#include "directory/document_format.h"
#include "directory/game_record.h"
#include "document_text.h"
#include "http/errors.h"
#include "http/reply_rules.h"
#include "net/socket_error.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <chrono>

namespace tarvenne::tools {
namespace {

const std::string serveTheDocument = "serve the document itself at this address, with status 200";

std::string launcherShows(std::string_view statusLine) {
    return "the launcher shows " + quoted(withFullStop(fromUtf8(statusLine))) +
           " in its error box and opens an empty login window";
}

std::string redirectProblem(const http::ReplyHead& head) {
    const auto location = head.headers.value("Location");
    const bool hasLocation = location && !location->empty();
    if (head.statusCode >= 300 && head.statusCode <= 399) {
        return (hasLocation ? "the server redirects to " + quoted(fromUtf8(*location))
                            : std::string("the server answers with a redirect that names no "
                                          "Location")) +
               " (" + head.statusLine + "): the launcher never follows a redirect; " +
               launcherShows(head.statusLine) + "; " + serveTheDocument +
               " (no redirect to https://, to another path or to a name with \"/\" at its end)";
    }
    return "the reply carries the header \"Location: " + std::string(*location) +
           "\", which makes the launcher take it as a redirect that it never follows: " +
           launcherShows(head.statusLine) + "; remove the Location header";
}

std::string statusProblem(const http::ReplyHead& head) {
    const int code = head.statusCode;
    if (code == 406) {
        return "the server has no variant of the document for the launcher's request "
               "(\"Accept: text/html, */*\" and \"Accept-Encoding: identity\") (" +
               head.statusLine +
               "), as when Apache's MultiViews finds only a compressed "
               "update.html.gz: " +
               launcherShows(head.statusLine) +
               "; publish the plain update.html and let the server send it as it is";
    }
    if (code == 401 || code == 407) {
        return "the server asks for credentials (" + head.statusLine +
               "), which the launcher never sends: " + launcherShows(head.statusLine) +
               "; serve the document without authentication";
    }
    std::string cause = "the server answers " + quoted(fromUtf8(head.statusLine)) + ": " +
                        launcherShows(head.statusLine) + "; ";
    if (code == 404 || code == 410)
        return cause + "put the document at this path (/update.html under the server's root)";
    if (code == 403)
        return cause + "let the server read the file (its permissions and access rules)";
    if (code >= 500 && code <= 599)
        return cause + "the server's error log names the fault";
    return cause + serveTheDocument;
}

// "15 s", or "200 ms" for a bound of no whole seconds.
std::string durationText(std::chrono::milliseconds duration) {
    if (duration.count() % 1000 != 0)
        return std::to_string(duration.count()) + " ms";
    return std::to_string(duration.count() / 1000) + " s";
}

std::string timeoutProblem(const net::TimeoutError& timeout) {
    const std::string limit = durationText(timeout.limit());
    const std::string shown =
        "the launcher shows " + quoted(timeout.message()) + " in its error box";
    if (timeout.wait() == net::TimeoutError::Wait::Connect)
        return "the server did not accept the connection within " + limit + ": " + shown;
    return (timeout.wait() == net::TimeoutError::Wait::Idle
                ? "the server sent nothing for " + limit
                : "the whole reply took longer than " + limit) +
           ": " + shown +
           "; the document must come from a plain file or a back end that answers well within "
           "this time";
}

// [rfc1952] 2.3.1 (gzip: 1F 8B), [rfc1950] 2.2 (zlib: CMF 78 with FCHECK), and the zstd
// frame's magic number.
std::optional<std::string> compressionOf(std::string_view body) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(body[i]); };
    if (body.size() >= 2 && byte(0) == 0x1F && byte(1) == 0x8B)
        return "gzip-compressed data (it starts with the bytes 1F 8B)";
    if (body.size() >= 2 && byte(0) == 0x78 && (byte(0) * 256 + byte(1)) % 31 == 0)
        return "deflate-compressed data (it starts with the zlib header 78 " +
               std::string(1, "0123456789ABCDEF"[byte(1) >> 4]) +
               std::string(1, "0123456789ABCDEF"[byte(1) & 0xF]) + ")";
    if (body.starts_with("\x28\xB5\x2F\xFD"))
        return "zstd-compressed data (it starts with the bytes 28 B5 2F FD)";
    return std::nullopt;
}

std::optional<std::string> compressionProblem(std::string_view body,
                                              const http::HeaderList* headers, bool fromFile) {
    const std::string readAsText =
        ": the launcher never decompresses anything and reads the compressed bytes as text";
    if (headers) {
        const auto encoding = headers->value("Content-Encoding");
        if (encoding && !encoding->empty() && lowerCased(*encoding) != "identity") {
            return "the reply is compressed (\"Content-Encoding: " + std::string(*encoding) +
                   "\") although the launcher asks for \"Accept-Encoding: identity\"" + readAsText +
                   "; serve the plain file without compression (for example without nginx's "
                   "\"gzip_static always\")";
        }
    }
    const std::optional<std::string> compression = compressionOf(body);
    if (!compression)
        return std::nullopt;
    if (fromFile)
        return "the file is " + *compression + readAsText + "; publish it uncompressed";
    return "the body is " + *compression + readAsText +
           "; serve the plain file (a precompressed update.html.gz comes this way from nginx's "
           "\"gzip_static always\" or Apache's MultiViews)";
}

// The text of the page's first element named `tag`, white space folded, at most 80 bytes.
std::string elementText(std::string_view page, std::string_view tag) {
    const std::string lower = lowerCased(page);
    const std::size_t open = lower.find("<" + std::string(tag));
    if (open == std::string::npos)
        return {};
    const std::size_t start = lower.find('>', open);
    const std::size_t end = lower.find("</" + std::string(tag), start);
    if (start == std::string::npos || end == std::string::npos)
        return {};
    std::string text;
    bool inTag = false;
    for (const char c : page.substr(start + 1, end - start - 1)) {
        if (c == '<' || c == '>') {
            inTag = c == '<';
            continue;
        }
        if (inTag)
            continue;
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (!blank || (!text.empty() && text.back() != ' '))
            text += blank ? ' ' : c;
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text.size() > 80 ? text.substr(0, 77) + "..." : text;
}

// A page of markup: after a byte-order mark and blanks, "<" and a letter, "!", "?" or "/".
bool isMarkup(std::string_view body) {
    if (body.starts_with("\xEF\xBB\xBF"))
        body.remove_prefix(3);
    const auto start = std::ranges::find_if(
        body, [](char c) { return !directory::isBlank(static_cast<unsigned char>(c)); });
    if (body.end() - start < 2 || *start != '<')
        return false;
    const char next = *(start + 1);
    return std::isalpha(static_cast<unsigned char>(next)) || next == '!' || next == '?' ||
           next == '/';
}

std::optional<std::string> htmlPageProblem(std::string_view body, const Outcome& launcher) {
    if (launcher.entry || !isMarkup(body))
        return std::nullopt;
    std::string named = elementText(body, "title");
    if (named.empty())
        named = elementText(body, "h1");
    if (named.empty())
        named = elementText(body, "b");
    return "the body is an HTML page" +
           (named.empty() ? std::string() : ", " + quoted(fromUtf8(named)) + ",") +
           " not an update document: " +
           (launcher.error
                ? "the launcher fails on it"
                : "the launcher finds no record of " + toUtf8(directory::gameName) + " in it") +
           "; a directory listing, an error page or a script's error message is served in the "
           "document's place: serve the update document itself";
}

} // namespace

ReplyProblem fetchFailureProblem(const std::exception& failure,
                                 const std::optional<http::ReplyHead>& head) {
    const std::u16string message = errorBoxText(failure).value_or(std::u16string());
    if (dynamic_cast<const http::HttpReplyError*>(&failure) && head) {
        return {Severity::Error,
                http::judge(head->statusCode, head->headers) == http::Verdict::Redirect
                    ? redirectProblem(*head)
                    : statusProblem(*head)};
    }
    if (const auto* timeout = dynamic_cast<const net::TimeoutError*>(&failure))
        return {Severity::Error, timeoutProblem(*timeout)};
    return {Severity::Error, "the launcher cannot fetch the document and shows " + quoted(message) +
                                 " in its error box"};
}

std::optional<ReplyProblem> bodyKindProblem(std::string_view body, const http::HeaderList* headers,
                                            const Outcome& launcher, bool fromFile) {
    if (auto message = compressionProblem(body, headers, fromFile))
        return ReplyProblem{Severity::Error, std::move(*message)};
    if (auto message = htmlPageProblem(body, launcher))
        return ReplyProblem{Severity::Error, std::move(*message)};
    return std::nullopt;
}

} // namespace tarvenne::tools
