#include "document_check.h"

#include "base/error_text.h"
#include "base/utf.h"
#include "charset_advice.h"
#include "directory/choose_server_entry.h"
#include "directory/document_format.h"
#include "directory/document_signature.h"
#include "directory/login_address.h"
#include "directory/record_walk.h"
#include "document_text.h"
#include "text/body_text.h"
#include "text/charset_names.h"
#include "text/conversion.h"

#include <algorithm>
#include <cstdio>

namespace tarvenne::tools {
namespace {

constexpr text::CodePage latin1 = 28591;
constexpr text::CodePage utf8 = 65001;

using directory::isBlank;

// The launcher's URL decoding, carried out so that every decoded byte remembers the place of
// the text it came from, and so that it goes on past a faulty escape.
struct DecodedBytes {
    std::string bytes;
    std::vector<std::size_t> sources; // for each byte, its index in the body's text
};

// A field as the launcher splits the decoded text, with the index of its start.
struct Piece {
    std::size_t start;
    std::u16string_view text;
};

struct Record {
    std::size_t start;
    std::vector<Piece> fields;
};

// Collects the records of the launcher's walk over a whole text.
class RecordCollector final : public directory::RecordWalk::Reader {
public:
    explicit RecordCollector(std::u16string_view text) : text_(text) {}

    std::vector<Record> records;

private:
    Next fieldText(const directory::FieldPlace&, std::u16string_view) override { return Next::Go; }

    Next fieldEnded(const directory::FieldPlace& place, std::size_t length) override {
        fields_.push_back({place.start, text_.substr(place.start, length)});
        return Next::Go;
    }

    void recordEnded(std::size_t, std::size_t start, std::size_t) override {
        records.push_back({start, std::move(fields_)});
        fields_.clear();
    }

    std::u16string_view text_;
    std::vector<Piece> fields_;
};

std::vector<Record> recordsOf(std::u16string_view text) {
    RecordCollector collector(text);
    directory::RecordWalk walk(collector);
    walk.take(text);
    walk.finish();
    return std::move(collector.records);
}

class DocumentCheck {
public:
    DocumentCheck(std::string_view body, std::string_view charset, text::CodePage ansiCodePage)
        : body_(body), charset_(charset), ansiCodePage_(ansiCodePage),
          text_(text::decodeBody(body, charset)), positions_(text_) {}

    CheckResult run() {
        checkCharset();
        checkByteOrderMark();
        const DecodedBytes decoded = urlDecoded();
        checkRecords(decoded);
        CheckResult result;
        for (Found& found : found_) {
            if (found.record == recordAtPlace)
                found.record = recordAt(found.textIndex);
            const auto [line, column] = positions_.at(found.textIndex);
            result.problems.push_back(
                {found.severity, line, column, found.record, std::move(found.message)});
        }
        sortByPlace(result.problems);
        result.launcher = launcherOutcome(text_);
        return result;
    }

private:
    // A problem as found: its place is an index in the body's text.
    struct Found {
        Severity severity;
        std::size_t textIndex;
        std::optional<std::size_t> record;
        std::string message;
    };

    // For a problem found before the document is split: the record is the one that holds
    // its place.
    static constexpr std::size_t recordAtPlace = static_cast<std::size_t>(-1);

    void report(Severity severity, std::size_t textIndex, std::optional<std::size_t> record,
                std::string message) {
        found_.push_back({severity, textIndex, record, std::move(message)});
    }

    std::optional<std::size_t> recordAt(std::size_t textIndex) const {
        const auto after = std::ranges::upper_bound(recordStarts_, textIndex);
        if (after == recordStarts_.begin())
            return std::nullopt;
        return static_cast<std::size_t>(after - recordStarts_.begin());
    }

    Outcome launcherOutcome(std::u16string document) const {
        try {
            return {directory::chooseServerEntry(std::move(document), ansiCodePage_), std::nullopt};
        } catch (const std::exception& failure) {
            return failureOutcome(failure);
        }
    }

    // The index in the body's text of the character that the body's first `byteCount`
    // bytes end before.
    std::size_t textIndexOfByte(std::size_t byteCount) const {
        return text::decodeBody(body_.substr(0, byteCount), charset_).size();
    }

    std::string declaredCharset() const {
        return charset_.empty() ? "declares no charset"
                                : "declares the charset \"" + std::string(charset_) + "\"";
    }

    void checkCharset() {
        const std::optional<text::CodePage> declared =
            charset_.empty() ? std::nullopt : text::codePageForCharset(charset_);
        if (!charset_.empty() && !declared) {
            std::string message = "the reply " + declaredCharset() +
                                  ", which the launcher does not know: it reads the body as "
                                  "ISO-8859-1";
            if (const std::optional<CharsetAdvice> advice = knownNameFor(charset_)) {
                message += "; declare \"charset=" + advice->name +
                           "\", the name that it knows for this charset" +
                           (advice->caveat.empty() ? "" : ", " + advice->caveat);
            }
            report(Severity::Warning, 0, std::nullopt, std::move(message));
        } else if (declared && !text::canDecode(*declared)) {
            report(Severity::Warning, 0, std::nullopt,
                   "the reply " + declaredCharset() +
                       ", which the launcher cannot decode here: it reads the body as "
                       "ISO-8859-1");
        }
        const text::CodePage used = declared && text::canDecode(*declared) ? *declared : latin1;
        const auto nonAscii = std::ranges::find_if(
            body_, [](char byte) { return static_cast<unsigned char>(byte) >= 0x80; });
        if (nonAscii == body_.end())
            return;
        const auto firstNonAscii = static_cast<std::size_t>(nonAscii - body_.begin());
        const std::optional<std::size_t> invalid = firstInvalidUtf8(body_);
        if (used == utf8 && invalid) {
            report(Severity::Warning, textIndexOfByte(*invalid), std::nullopt,
                   "the reply declares UTF-8, but the bytes here are not UTF-8: the launcher "
                   "reads them as replacement characters");
        } else if (used != utf8 && !invalid && !isUnicodePage(used)) {
            const std::size_t length = utf8SequenceLength(body_[firstNonAscii]);
            const std::string_view sample = body_.substr(firstNonAscii, length);
            report(Severity::Warning, textIndexOfByte(firstNonAscii), std::nullopt,
                   "the bytes look like UTF-8, but the reply " + declaredCharset() +
                       " (code page " + std::to_string(used) + "): the launcher reads " +
                       quoted(fromUtf8(sample)) + " as " + quoted(text::decode(sample, used)) +
                       "; declare \"charset=UTF-8\" in the reply's Content-Type");
        } else if (used == latin1 && invalid) {
            checkSingleBytePage();
        }
    }

    // Bytes that are not UTF-8, read as ISO-8859-1 for want of a charset the launcher knows:
    // the single-byte page that they fit, where it reads them otherwise.
    void checkSingleBytePage() {
        const std::optional<text::CodePage> fitting = fittingSingleBytePage(body_, ansiCodePage_);
        if (!fitting || *fitting == latin1)
            return;
        const auto differs = [&](char byte) {
            return text::decode(std::string_view(&byte, 1), latin1) !=
                   text::decode(std::string_view(&byte, 1), *fitting);
        };
        const auto first = std::ranges::find_if(body_, differs);
        if (first == body_.end())
            return;
        const std::string_view byte(&*first, 1);
        const std::string name = nameToDeclare(*fitting).value_or("");
        char hex[8];
        std::snprintf(hex, sizeof hex, "0x%02X", static_cast<unsigned char>(*first));
        report(Severity::Warning, textIndexOfByte(static_cast<std::size_t>(first - body_.begin())),
               std::nullopt,
               "the reply " + declaredCharset() +
                   ", so the launcher reads the bytes as ISO-8859-1, where the byte " + hex +
                   " is " + quoted(text::decode(byte, latin1)) + "; the bytes fit " + name +
                   ", where it is " + quoted(text::decode(byte, *fitting)) +
                   ": declare \"charset=" + name +
                   "\" in the reply's Content-Type (or the charset that the document is saved "
                   "in)");
        charsetAdvised_ = true;
    }

    static bool isUnicodePage(text::CodePage page) {
        return page == 1200 || page == 12000 || page == 12001 || page == 65000;
    }

    void checkByteOrderMark() {
        static constexpr std::string_view marks[] = {"\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
        const auto mark =
            std::ranges::find_if(marks, [&](std::string_view m) { return body_.starts_with(m); });
        if (mark == std::end(marks))
            return;
        const std::size_t markLength = std::min(textIndexOfByte(mark->size()), text_.size());
        const Outcome without = launcherOutcome(text_.substr(markLength));
        const Outcome with = launcherOutcome(text_);
        // The mark is part of the first record, if there is one.
        const std::optional<std::size_t> record =
            std::ranges::all_of(text_.substr(markLength), isBlank) ? std::nullopt
                                                                   : std::optional<std::size_t>(1);
        if (without.entry && with.entry != without.entry) {
            report(Severity::Error, 0, record,
                   "the document starts with a byte-order mark, which the launcher takes as "
                   "part of the first record's name: it misses this record of " +
                       toUtf8(directory::gameName) + "; save the document without it");
        } else {
            report(Severity::Warning, 0, record,
                   "the document starts with a byte-order mark, which the launcher takes as "
                   "part of the first record's name; save the document without it");
        }
    }

    // Each written character goes through the ANSI code page as in the launcher; an escape
    // gives its byte directly.
    DecodedBytes urlDecoded() {
        DecodedBytes decoded;
        const auto emit = [&](char byte, std::size_t source) {
            decoded.bytes.push_back(byte);
            decoded.sources.push_back(source);
        };
        std::optional<std::size_t> foreign; // the first character the ANSI code page lacks
        std::size_t foreignCount = 0;
        // The launcher's decoding ends at the first zero.
        const std::u16string_view document =
            std::u16string_view(text_).substr(0, text_.find(u'\0'));
        std::size_t i = 0;
        while (i < text_.size()) {
            const char16_t c = text_[i];
            if (c == u'\0') {
                checkZero(i);
                break;
            }
            if (directory::startsEscape(c)) {
                i = decodeEscape(document.substr(i), i, emit);
            } else if (c < 0x80) {
                emit(static_cast<char>(c), i++);
            } else {
                const std::size_t length = characterLength(text_, i);
                const std::u16string_view character = std::u16string_view(text_).substr(i, length);
                const std::string bytes = text::encode(character, ansiCodePage_);
                if (text::decode(bytes, ansiCodePage_) != character && !isReported(i)) {
                    foreign = foreign.value_or(i);
                    ++foreignCount;
                }
                for (const char byte : bytes)
                    emit(byte, i);
                i += length;
            }
        }
        if (foreign) {
            const std::size_t length = characterLength(text_, *foreign);
            const std::u16string_view character =
                std::u16string_view(text_).substr(*foreign, length);
            report(Severity::Warning, *foreign, recordAtPlace,
                   std::to_string(foreignCount) +
                       (foreignCount == 1 ? " character is" : " characters are") +
                       " not in the ANSI code page " + std::to_string(ansiCodePage_) +
                       ", the first " + quoted(character) + ": the launcher reads it as " +
                       quoted(text::decode(text::encode(character, ansiCodePage_), ansiCodePage_)) +
                       "; players see such characters only where their ANSI code page holds them");
        }
        return decoded;
    }

    // A byte-order mark and the replacement characters of bytes that the body's charset does
    // not hold are problems of their own.
    bool isReported(std::size_t index) const {
        return text_[index] == 0xFFFD || (index == 0 && text_[index] == 0xFEFF) ||
               (charsetAdvised_ && text_[index] >= 0x80 && text_[index] <= 0x9F);
    }

    void checkZero(std::size_t index) {
        const bool moreFollows = std::any_of(text_.begin() + static_cast<std::ptrdiff_t>(index),
                                             text_.end(), [](char16_t c) { return !isBlank(c); });
        if (moreFollows) {
            report(Severity::Warning, index, std::nullopt,
                   "a zero character ends the document here: the launcher ignores everything "
                   "after it");
        }
    }

    // An escape as the launcher reads it. One that the launcher fails on is reported, and the
    // check goes on after its "%".
    template <typename Emit>
    std::size_t decodeEscape(std::u16string_view escape, std::size_t index, const Emit& emit) {
        const directory::EscapeReading reading = directory::readEscape(escape);
        if (reading.kind == directory::EscapeReading::Kind::Byte) {
            emit(reading.byte, index);
            return index + reading.length;
        }
        const std::string launcherPosition = std::to_string(
            text::encode(std::u16string_view(text_).substr(0, index), ansiCodePage_).size() + 1);
        if (reading.kind == directory::EscapeReading::Kind::CutOff) {
            report(Severity::Error, index, recordAtPlace,
                   "the escape " + quoted(std::u16string_view(text_).substr(index, 2)) +
                       " is cut off by the end of the document: the launcher fails at position " +
                       launcherPosition + "; write a percent sign as %25 or %%");
        } else {
            const std::size_t length = 2 + characterLength(text_, index + 2);
            report(Severity::Error, index, recordAtPlace,
                   quoted(std::u16string_view(text_).substr(index, length)) +
                       " is not an escape of two hexadecimal digits: the launcher fails at "
                       "position " +
                       launcherPosition + "; write a percent sign as %25 or %%");
        }
        emit('%', index);
        return index + 1;
    }

    // The decoded text with, for each of its characters, the index in the body's text that
    // it came from.
    std::pair<std::u16string, std::vector<std::size_t>> decodedText(const DecodedBytes& decoded) {
        std::u16string text = text::decode(decoded.bytes, ansiCodePage_);
        std::vector<std::size_t> sources(text.size(), text_.size());
        std::size_t byte = 0;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t length = characterLength(text, i);
            const std::size_t source =
                byte < decoded.sources.size() ? decoded.sources[byte] : text_.size();
            std::fill_n(sources.begin() + static_cast<std::ptrdiff_t>(i), length, source);
            byte += text[i] < 0x80
                        ? 1
                        : text::encode(std::u16string_view(text).substr(i, length), ansiCodePage_)
                              .size();
            i += length;
        }
        return {std::move(text), std::move(sources)};
    }

    void checkRecords(const DecodedBytes& decoded) {
        const auto textAndSources = decodedText(decoded);
        const std::u16string& text = textAndSources.first;
        const std::vector<std::size_t>& sources = textAndSources.second;
        const auto source = [&](std::size_t index) {
            return index < sources.size() ? sources[index] : text_.size();
        };
        std::optional<std::size_t> chosen;
        std::size_t number = 0;
        const std::vector<Record> records = recordsOf(text);
        for (const Record& record : records) {
            ++number;
            recordStarts_.push_back(source(record.start));
            // The signature's own check is the operator key's; a record's start tells a signature.
            if (number == records.size() &&
                directory::isSignatureRecord(std::u16string_view(text).substr(record.start)))
                continue;
            const std::vector<Piece>& fields = record.fields;
            const Severity examined = chosen ? Severity::Warning : Severity::Error;
            if (fields.empty()) {
                report(examined, source(record.start), number,
                       "the record holds field separators only: the launcher fails with \"List "
                       "index out of bounds (0)\" when it reaches it");
                continue;
            }
            const std::u16string_view name = fields[0].text;
            const bool isGame = name == directory::gameName;
            bool nearMiss = false;
            if (isGame && !chosen) {
                chosen = number;
            } else if (isGame) {
                report(Severity::Warning, source(record.start), number,
                       "another record of " + toUtf8(directory::gameName) +
                           ": the launcher takes the first one, record " + std::to_string(*chosen) +
                           ", and ignores this one");
            } else {
                nearMiss = checkInvisibleCharacters(fields[0], number, source) ||
                           checkNearMiss(name, source(record.start), number);
            }
            const bool used = isGame && chosen == number;
            if (fields.size() < directory::entryFieldCount) {
                report(
                    used ? Severity::Error : Severity::Warning, source(record.start), number,
                    "the record has " + std::to_string(fields.size()) +
                        (fields.size() == 1 ? " field" : " fields") +
                        ", fewer than four (name, site address, login page, title)" +
                        (used ? ": the launcher fails with \"List index out of bounds (3)\"" : ""));
            } else {
                checkLoginAddress(fields[1], fields[2], used, number, source);
            }
            for (std::size_t f = nearMiss ? 1 : 0; f < fields.size(); ++f)
                checkControlCharacters(fields[f], f + 1, number, source);
        }
        // A record missed for an invisible character costs the game unless another is taken.
        for (const std::size_t miss : invisibleMisses_)
            found_[miss].severity = chosen ? Severity::Warning : Severity::Error;
        if (!chosen) {
            report(Severity::Error, 0, std::nullopt,
                   "no record is named " + toUtf8(directory::gameName) +
                       ": the launcher finds no login page and shows an empty login window");
        }
    }

    // A name that reads as gameName once the invisible characters written in it are gone: the
    // launcher reads them as the ANSI code page's default character, or keeps them, and misses
    // the record. A byte-order mark at the start of the document is a problem of its own.
    template <typename Source>
    bool checkInvisibleCharacters(const Piece& name, std::size_t number, const Source& source) {
        const std::size_t begin = source(name.start);
        const std::size_t end = std::max(begin, source(name.start + name.text.size()));
        const std::u16string_view written = std::u16string_view(text_).substr(begin, end - begin);
        std::u16string visible;
        std::optional<std::size_t> first;
        for (std::size_t i = 0; i < written.size(); ++i) {
            const bool markOfTheDocument = begin + i == 0 && written[i] == 0xFEFF;
            if (!isInvisible(written[i]) || isBlank(written[i])) {
                visible += written[i];
            } else if (!markOfTheDocument && !first) {
                first = i;
            }
        }
        if (withoutWhiteSpaceAround(visible) != directory::gameName)
            return false;
        if (!first)
            return begin == 0 && !written.empty() && written[0] == 0xFEFF;
        const char16_t character = written[*first];
        const std::u16string read =
            text::decode(text::encode(std::u16string(1, character), ansiCodePage_), ansiCodePage_);
        const std::string characterName = invisibleCharacterName(character);
        invisibleMisses_.push_back(found_.size());
        report(Severity::Error, begin + *first, number,
               "the record's name " + quoted(written) + " holds the invisible character " +
                   codePointName(character) +
                   (characterName.empty() ? "" : " (" + characterName + ")") +
                   (read == std::u16string(1, character)
                        ? ", which the launcher keeps"
                        : ", which the launcher reads as " + quoted(read)) +
                   ": the name is not " + quoted(directory::gameName) +
                   ", so the launcher misses this record; remove the character");
        return true;
    }

    bool checkNearMiss(std::u16string_view name, std::size_t where, std::size_t number) {
        if (!equalsIgnoringCase(withoutWhiteSpaceAround(name), directory::gameName))
            return false;
        report(Severity::Warning, where, number,
               "the record is named " + quoted(name) + ", not " + quoted(directory::gameName) +
                   ": the launcher only takes a record whose name is exactly that, with the same "
                   "letter case and no white space or line break around it");
        return true;
    }

    template <typename Source>
    void checkControlCharacters(const Piece& field, std::size_t fieldNumber, std::size_t number,
                                const Source& source) {
        const auto control = std::ranges::find_if(field.text, isControl);
        if (control == field.text.end())
            return;
        const auto offset = static_cast<std::size_t>(control - field.text.begin());
        report(Severity::Warning, source(field.start + offset), number,
               "field " + std::to_string(fieldNumber) + " holds the control character " +
                   codePointName(*control) +
                   (*control == u'\n' || *control == u'\r' ? " (a line break)" : "") +
                   ", which the launcher keeps as part of the field");
    }

    // The login page's address is the site address followed directly by the login page.
    template <typename Source>
    void checkLoginAddress(const Piece& siteAddress, const Piece& loginPage, bool used,
                           std::size_t number, const Source& source) {
        const Severity severity = used ? Severity::Error : Severity::Warning;
        const std::u16string address =
            std::u16string(siteAddress.text) + std::u16string(loginPage.text);
        const auto placeOf = [&](std::size_t index) {
            return index < siteAddress.text.size()
                       ? source(siteAddress.start + index)
                       : source(loginPage.start + index - siteAddress.text.size());
        };
        const std::string joined = "the site address " + quoted(siteAddress.text) +
                                   " and the login page " + quoted(loginPage.text) + " join to " +
                                   quoted(address);
        if (const auto blank = std::ranges::find_if(address, isWhiteSpace);
            blank != address.end()) {
            const auto index = static_cast<std::size_t>(blank - address.begin());
            report(severity, placeOf(index), number,
                   joined + ", which holds white space or a control character; a \"+\" in the "
                            "document stands for a space: write a plus sign as %2B");
            return;
        }
        const directory::LoginAddress read = directory::readLoginAddress(address);
        if (!read.web) {
            report(severity, source(siteAddress.start), number,
                   joined + ", which does not start with http:// or https://");
            return;
        }
        if (!read.namesHost) {
            report(severity, source(siteAddress.start), number,
                   joined + ", which names no host" +
                       (used ? ": the launcher shows " +
                                   quoted(withFullStop(directory::notWebAddressMessage(address))) +
                                   " in its error box"
                             : ""));
            return;
        }
        if (read.added > 0) {
            report(Severity::Warning, source(siteAddress.start), number,
                   joined + ", which names no scheme: the launcher opens " + quoted(read.address) +
                       "; write the site address with https://");
        }
        if (used && read.plainHttp) {
            report(Severity::Warning, source(siteAddress.start), number,
                   "the login page " + quoted(read.address) +
                       " is plain http://: a network attacker can replace the login page; serve "
                       "it over https");
        }
        if (read.authorityEnd - read.added > siteAddress.text.size()) {
            report(severity, source(loginPage.start), number,
                   joined + ": the login page runs into the host name; end the site address "
                            "with \"/\"");
        }
    }

    std::string_view body_;
    std::string_view charset_;
    text::CodePage ansiCodePage_;
    std::u16string text_; // the body as the launcher's client turns it into text
    TextPositions positions_;
    std::vector<Found> found_;
    std::vector<std::size_t> recordStarts_;    // the place of each record in the body's text
    bool charsetAdvised_ = false;              // a charset to declare has been named
    std::vector<std::size_t> invisibleMisses_; // in found_: records missed for such a character
};

} // namespace

void sortByPlace(std::vector<Problem>& problems) {
    std::ranges::stable_sort(problems, [](const Problem& a, const Problem& b) {
        return std::pair(a.line, a.column) < std::pair(b.line, b.column);
    });
}

CheckResult checkDocument(std::string_view body, std::string_view charset,
                          text::CodePage ansiCodePage) {
    return DocumentCheck(body, charset, ansiCodePage).run();
}

} // namespace tarvenne::tools
