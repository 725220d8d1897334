#include "encoding_check.h"

#include "base/utf.h"
#include "charset_advice.h"
#include "directory/document_format.h"
#include "directory/game_record.h"
#include "document_text.h"
#include "lookup.h"
#include "text/charset_names.h"
#include "text/conversion.h"

#include <algorithm>
#include <cstdio>

namespace tarvenne::tools {
namespace {

constexpr text::CodePage latin1 = 28591;
constexpr text::CodePage utf8 = 65001;

bool isUnicodePage(text::CodePage page) {
    return page == 1200 || page == 12000 || page == 12001 || page == 65000;
}

std::string declaredCharset(const CheckedBody& body) {
    return body.charset.empty() ? "declares no charset"
                                : "declares the charset \"" + std::string(body.charset) + "\"";
}

// Bytes that are not UTF-8, read as ISO-8859-1 for want of a charset the launcher knows: the
// single-byte page that they fit, where it reads them otherwise. Returns whether it names one.
bool checkSingleBytePage(const CheckedBody& body, Findings& findings) {
    const std::optional<text::CodePage> fitting =
        fittingSingleBytePage(body.bytes, body.ansiCodePage);
    if (!fitting || *fitting == latin1)
        return false;
    const auto differs = [&](char byte) {
        return text::decode(std::string_view(&byte, 1), latin1) !=
               text::decode(std::string_view(&byte, 1), *fitting);
    };
    const auto first = std::ranges::find_if(body.bytes, differs);
    if (first == body.bytes.end())
        return false;
    const std::string_view byte(&*first, 1);
    const std::string name = nameToDeclare(*fitting).value_or("");
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(*first));
    findings.add(
        Severity::Warning,
        body.textIndexOfByte(static_cast<std::size_t>(first - body.bytes.begin())), std::nullopt,
        "the reply " + declaredCharset(body) +
            ", so the launcher reads the bytes as ISO-8859-1, where the byte " + hex + " is " +
            quoted(text::decode(byte, latin1)) + "; the bytes fit " + name + ", where it is " +
            quoted(text::decode(byte, *fitting)) + ": declare \"charset=" + name +
            "\" in the reply's Content-Type (or the charset that the document is "
            "saved in)");
    return true;
}

} // namespace

bool checkCharset(const CheckedBody& body, Findings& findings) {
    const std::string_view charset = body.charset;
    const std::optional<text::CodePage> declared =
        charset.empty() ? std::nullopt : text::codePageForCharset(charset);
    if (!charset.empty() && !declared) {
        std::string message = "the reply " + declaredCharset(body) +
                              ", which the launcher does not know: it reads the body as "
                              "ISO-8859-1";
        if (const std::optional<CharsetAdvice> advice = knownNameFor(charset)) {
            message += "; declare \"charset=" + advice->name +
                       "\", the name that it knows for this charset" +
                       (advice->caveat.empty() ? "" : ", " + advice->caveat);
        }
        findings.add(Severity::Warning, 0, std::nullopt, std::move(message));
    } else if (declared && !text::canDecode(*declared)) {
        findings.add(Severity::Warning, 0, std::nullopt,
                     "the reply " + declaredCharset(body) +
                         ", which the launcher cannot decode here: it reads the body as "
                         "ISO-8859-1");
    }
    const text::CodePage used = declared && text::canDecode(*declared) ? *declared : latin1;
    const auto nonAscii = std::ranges::find_if(
        body.bytes, [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
    if (nonAscii == body.bytes.end())
        return false;
    const auto firstNonAscii = static_cast<std::size_t>(nonAscii - body.bytes.begin());
    const std::optional<std::size_t> invalid = firstInvalidUtf8(body.bytes);
    if (used == utf8 && invalid) {
        findings.add(Severity::Warning, body.textIndexOfByte(*invalid), std::nullopt,
                     "the reply declares UTF-8, but the bytes here are not UTF-8: the launcher "
                     "reads them as replacement characters");
    } else if (used != utf8 && !invalid && !isUnicodePage(used)) {
        const std::size_t length = utf8SequenceLength(body.bytes[firstNonAscii]);
        const std::string_view sample = body.bytes.substr(firstNonAscii, length);
        findings.add(Severity::Warning, body.textIndexOfByte(firstNonAscii), std::nullopt,
                     "the bytes look like UTF-8, but the reply " + declaredCharset(body) +
                         " (code page " + std::to_string(used) + "): the launcher reads " +
                         quoted(fromUtf8(sample)) + " as " + quoted(text::decode(sample, used)) +
                         "; declare \"charset=UTF-8\" in the reply's Content-Type");
    } else if (used == latin1 && invalid) {
        return checkSingleBytePage(body, findings);
    }
    return false;
}

void checkByteOrderMark(const CheckedBody& body, Findings& findings) {
    static constexpr std::string_view marks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    const auto mark =
        std::ranges::find_if(marks, [&](std::string_view m) { return body.bytes.starts_with(m); });
    if (mark == std::end(marks))
        return;
    const std::size_t markLength = std::min(body.textIndexOfByte(mark->size()), body.text.size());
    const Outcome without = launcherOutcome(body.text.substr(markLength), body.ansiCodePage);
    const Outcome with = launcherOutcome(body.text, body.ansiCodePage);
    // The mark is part of the first record, if there is one.
    const std::optional<std::size_t> record =
        std::ranges::all_of(body.text.substr(markLength), directory::isBlank)
            ? std::nullopt
            : std::optional<std::size_t>(1);
    if (without.entry && with.entry != without.entry) {
        findings.add(Severity::Error, 0, record,
                     "the document starts with a byte-order mark, which the launcher takes as "
                     "part of the first record's name: it misses this record of " +
                         toUtf8(directory::gameName) + "; save the document without it");
    } else {
        findings.add(Severity::Warning, 0, record,
                     "the document starts with a byte-order mark, which the launcher takes as "
                     "part of the first record's name; save the document without it");
    }
}

} // namespace tarvenne::tools
