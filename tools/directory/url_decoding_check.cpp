#include "url_decoding_check.h"

#include "directory/document_format.h"
#include "document_text.h"
#include "text/conversion.h"

#include <algorithm>
#include <optional>

namespace tarvenne::tools {
namespace {

// The decoded bytes, each with the index in the body's text that it came from.
struct DecodedBytes {
    std::string bytes;
    std::vector<std::size_t> sources;

    void emit(char byte, std::size_t source) {
        bytes.push_back(byte);
        sources.push_back(source);
    }
};

class UrlDecodingCheck {
public:
    UrlDecodingCheck(const CheckedBody& body, bool charsetAdvised, Findings& findings)
        : text_(body.text), ansiCodePage_(body.ansiCodePage), charsetAdvised_(charsetAdvised),
          findings_(findings) {}

    DecodedDocument run() { return decodedText(decodedBytes()); }

private:
    DecodedBytes decodedBytes() {
        DecodedBytes decoded;
        std::optional<std::size_t> foreign; // the first character the ANSI code page lacks
        std::size_t foreignCount = 0;
        // The launcher's decoding ends at the first zero.
        const std::u16string_view document = text_.substr(0, text_.find(u'\0'));
        std::size_t i = 0;
        while (i < text_.size()) {
            const char16_t c = text_[i];
            if (c == u'\0') {
                checkZero(i);
                break;
            }
            if (directory::startsEscape(c)) {
                i = decodeEscape(document.substr(i), i, decoded);
            } else if (c < 0x80) {
                decoded.emit(static_cast<char>(c), i++);
            } else {
                const std::size_t length = characterLength(text_, i);
                const std::u16string_view character = text_.substr(i, length);
                const std::string bytes = text::encode(character, ansiCodePage_);
                if (text::decode(bytes, ansiCodePage_) != character && !isReported(i)) {
                    foreign = foreign.value_or(i);
                    ++foreignCount;
                }
                for (const char byte : bytes)
                    decoded.emit(byte, i);
                i += length;
            }
        }
        if (foreign)
            reportForeign(*foreign, foreignCount);
        return decoded;
    }

    void reportForeign(std::size_t first, std::size_t count) {
        const std::u16string_view character = text_.substr(first, characterLength(text_, first));
        findings_.addInRecordAtPlace(
            Severity::Warning, first,
            std::to_string(count) + (count == 1 ? " character is" : " characters are") +
                " not in the ANSI code page " + std::to_string(ansiCodePage_) + ", the first " +
                quoted(character) + ": the launcher reads it as " +
                quoted(text::decode(text::encode(character, ansiCodePage_), ansiCodePage_)) +
                "; players see such characters only where their ANSI code page holds them");
    }

    // A byte-order mark and the replacement characters of bytes that the body's charset does
    // not hold are problems of their own.
    bool isReported(std::size_t index) const {
        return text_[index] == 0xFFFD || (index == 0 && text_[index] == 0xFEFF) ||
               (charsetAdvised_ && text_[index] >= 0x80 && text_[index] <= 0x9F);
    }

    void checkZero(std::size_t index) {
        const bool moreFollows =
            std::any_of(text_.begin() + static_cast<std::ptrdiff_t>(index), text_.end(),
                        [](char16_t c) { return !directory::isBlank(c); });
        if (moreFollows) {
            findings_.add(Severity::Warning, index, std::nullopt,
                          "a zero character ends the document here: the launcher ignores "
                          "everything after it");
        }
    }

    // An escape as the launcher reads it. One that the launcher fails on is reported, and the
    // check goes on after its "%".
    std::size_t decodeEscape(std::u16string_view escape, std::size_t index, DecodedBytes& decoded) {
        const directory::EscapeReading reading = directory::readEscape(escape);
        if (reading.kind == directory::EscapeReading::Kind::Byte) {
            decoded.emit(reading.byte, index);
            return index + reading.length;
        }
        const std::string launcherPosition =
            std::to_string(text::encode(text_.substr(0, index), ansiCodePage_).size() + 1);
        if (reading.kind == directory::EscapeReading::Kind::CutOff) {
            findings_.addInRecordAtPlace(
                Severity::Error, index,
                "the escape " + quoted(text_.substr(index, 2)) +
                    " is cut off by the end of the document: the launcher fails at position " +
                    launcherPosition + "; write a percent sign as %25 or %%");
        } else {
            const std::size_t length = 2 + characterLength(text_, index + 2);
            findings_.addInRecordAtPlace(
                Severity::Error, index,
                quoted(text_.substr(index, length)) +
                    " is not an escape of two hexadecimal digits: the launcher fails at "
                    "position " +
                    launcherPosition + "; write a percent sign as %25 or %%");
        }
        decoded.emit('%', index);
        return index + 1;
    }

    // The bytes read through the ANSI code page, each character with the source of its first
    // byte.
    DecodedDocument decodedText(const DecodedBytes& decoded) const {
        DecodedDocument document;
        document.text = text::decode(decoded.bytes, ansiCodePage_);
        document.bodyTextEnd = text_.size();
        const std::u16string_view text = document.text;
        document.sources.assign(text.size(), text_.size());
        std::size_t byte = 0;
        for (std::size_t i = 0; i < text.size();) {
            const std::size_t length = characterLength(text, i);
            const std::size_t source =
                byte < decoded.sources.size() ? decoded.sources[byte] : text_.size();
            std::fill_n(document.sources.begin() + static_cast<std::ptrdiff_t>(i), length, source);
            byte += text[i] < 0x80 ? 1 : text::encode(text.substr(i, length), ansiCodePage_).size();
            i += length;
        }
        return document;
    }

    std::u16string_view text_;
    text::CodePage ansiCodePage_;
    bool charsetAdvised_;
    Findings& findings_;
};

} // namespace

DecodedDocument checkUrlDecoding(const CheckedBody& body, bool charsetAdvised, Findings& findings) {
    return UrlDecodingCheck(body, charsetAdvised, findings).run();
}

} // namespace tarvenne::tools
