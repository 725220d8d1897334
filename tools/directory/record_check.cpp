#include "record_check.h"

#include "base/ascii.h"
#include "base/utf.h"
#include "directory/document_format.h"
#include "directory/document_signature.h"
#include "directory/game_record.h"
#include "directory/record_walk.h"
#include "document_text.h"
#include "login_address_check.h"
#include "text/conversion.h"

#include <algorithm>
#include <optional>
#include <string>

namespace tarvenne::tools {
namespace {

struct Record {
    std::size_t start;
    std::vector<DecodedField> fields;
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
    std::vector<DecodedField> fields_;
};

std::vector<Record> recordsOf(std::u16string_view text) {
    RecordCollector collector(text);
    directory::RecordWalk walk(collector);
    walk.take(text);
    walk.finish();
    return std::move(collector.records);
}

class RecordCheck {
public:
    RecordCheck(const CheckedBody& body, const DecodedDocument& document, Findings& findings)
        : body_(body), document_(document), findings_(findings) {}

    std::vector<std::size_t> run() {
        std::vector<std::size_t> recordStarts;
        std::size_t number = 0;
        const std::vector<Record> records = recordsOf(document_.text);
        for (const Record& record : records) {
            ++number;
            recordStarts.push_back(document_.source(record.start));
            // The signature's own check is the operator key's; a record's start tells a
            // signature.
            if (number == records.size() &&
                directory::isSignatureRecord(
                    std::u16string_view(document_.text).substr(record.start)))
                continue;
            check(record, number);
        }
        // A record missed for an invisible character costs the game unless another is taken.
        for (const std::size_t miss : invisibleMisses_)
            findings_.setSeverity(miss, chosen_ ? Severity::Warning : Severity::Error);
        if (!chosen_) {
            findings_.add(Severity::Error, 0, std::nullopt,
                          "no record is named " + toUtf8(directory::gameName) +
                              ": the launcher finds no login page and shows an empty login "
                              "window");
        }
        return recordStarts;
    }

private:
    void check(const Record& record, std::size_t number) {
        const std::vector<DecodedField>& fields = record.fields;
        const std::size_t place = document_.source(record.start);
        if (fields.empty()) {
            findings_.add(chosen_ ? Severity::Warning : Severity::Error, place, number,
                          "the record holds field separators only: the launcher fails with "
                          "\"List index out of bounds (0)\" when it reaches it");
            return;
        }
        const std::u16string_view name = fields[0].text;
        const bool isGame = name == directory::gameName;
        bool nearMiss = false;
        if (isGame && !chosen_) {
            chosen_ = number;
        } else if (isGame) {
            findings_.add(Severity::Warning, place, number,
                          "another record of " + toUtf8(directory::gameName) +
                              ": the launcher takes the first one, record " +
                              std::to_string(*chosen_) + ", and ignores this one");
        } else {
            nearMiss =
                checkInvisibleCharacters(fields[0], number) || checkNearMiss(name, place, number);
        }
        const bool used = isGame && chosen_ == number;
        if (fields.size() < directory::entryFieldCount) {
            findings_.add(
                used ? Severity::Error : Severity::Warning, place, number,
                "the record has " + std::to_string(fields.size()) +
                    (fields.size() == 1 ? " field" : " fields") +
                    ", fewer than four (name, site address, login page, title)" +
                    (used ? ": the launcher fails with \"List index out of bounds (3)\"" : ""));
        } else {
            checkLoginAddress(fields[1], fields[2], used, number, document_, findings_);
        }
        for (std::size_t f = nearMiss ? 1 : 0; f < fields.size(); ++f)
            checkControlCharacters(fields[f], f + 1, number);
    }

    // A name that reads as gameName once the invisible characters written in it are gone: the
    // launcher reads them as the ANSI code page's default character, or keeps them, and misses
    // the record. A byte-order mark at the start of the document is a problem of its own.
    bool checkInvisibleCharacters(const DecodedField& name, std::size_t number) {
        const std::size_t begin = document_.source(name.start);
        const std::size_t end = std::max(begin, document_.source(name.start + name.text.size()));
        const std::u16string_view written =
            std::u16string_view(body_.text).substr(begin, end - begin);
        std::u16string visible;
        std::optional<std::size_t> first;
        for (std::size_t i = 0; i < written.size(); ++i) {
            const bool markOfTheDocument = begin + i == 0 && written[i] == 0xFEFF;
            if (!isInvisible(written[i]) || directory::isBlank(written[i])) {
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
        const std::u16string read = text::decode(
            text::encode(std::u16string(1, character), body_.ansiCodePage), body_.ansiCodePage);
        const std::string characterName = invisibleCharacterName(character);
        invisibleMisses_.push_back(
            findings_.add(Severity::Error, begin + *first, number,
                          "the record's name " + quoted(written) +
                              " holds the invisible character " + codePointName(character) +
                              (characterName.empty() ? "" : " (" + characterName + ")") +
                              (read == std::u16string(1, character)
                                   ? ", which the launcher keeps"
                                   : ", which the launcher reads as " + quoted(read)) +
                              ": the name is not " + quoted(directory::gameName) +
                              ", so the launcher misses this record; remove the character"));
        return true;
    }

    bool checkNearMiss(std::u16string_view name, std::size_t place, std::size_t number) {
        if (!equalsIgnoringCase(withoutWhiteSpaceAround(name), directory::gameName))
            return false;
        findings_.add(Severity::Warning, place, number,
                      "the record is named " + quoted(name) + ", not " +
                          quoted(directory::gameName) +
                          ": the launcher only takes a record whose name is exactly that, with "
                          "the same letter case and no white space or line break around it");
        return true;
    }

    void checkControlCharacters(const DecodedField& field, std::size_t fieldNumber,
                                std::size_t number) {
        const auto control = std::ranges::find_if(field.text, isControl);
        if (control == field.text.end())
            return;
        const auto offset = static_cast<std::size_t>(control - field.text.begin());
        findings_.add(Severity::Warning, document_.source(field.start + offset), number,
                      "field " + std::to_string(fieldNumber) + " holds the control character " +
                          codePointName(*control) +
                          (*control == u'\n' || *control == u'\r' ? " (a line break)" : "") +
                          ", which the launcher keeps as part of the field");
    }

    const CheckedBody& body_;
    const DecodedDocument& document_;
    Findings& findings_;
    std::optional<std::size_t> chosen_;        // the number of the record the launcher takes
    std::vector<std::size_t> invisibleMisses_; // in the findings: records missed for such a
                                               // character
};

} // namespace

std::vector<std::size_t> checkRecords(const CheckedBody& body, const DecodedDocument& document,
                                      Findings& findings) {
    return RecordCheck(body, document, findings).run();
}

} // namespace tarvenne::tools
