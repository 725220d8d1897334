#pragma once

#include "check_context.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The launcher's URL decoding of the document, carried out so that every decoded character
// remembers the place of the text it came from, and so that it goes on past a faulty escape.
namespace tarvenne::tools {

// The decoded document, with, for each of its characters, the index in the body's text that
// it came from.
struct DecodedDocument {
    std::u16string text;
    std::vector<std::size_t> sources;
    std::size_t bodyTextEnd = 0; // the place of what comes from no character of the body

    // The place in the body's text of the decoded character at `index`.
    std::size_t source(std::size_t index) const {
        return index < sources.size() ? sources[index] : bodyTextEnd;
    }
};

// A field as the launcher splits the decoded document, with the index of its start.
struct DecodedField {
    std::size_t start;
    std::u16string_view text;
};

// Decodes the body's text as the launcher does, each written character through the ANSI code
// page and each escape to its byte, and reports faulty escapes, a zero that ends the document
// early and the characters that the ANSI code page lacks. `charsetAdvised`: a charset to
// declare has been named, whose characters the launcher reads as C1 controls.
DecodedDocument checkUrlDecoding(const CheckedBody& body, bool charsetAdvised, Findings& findings);

} // namespace tarvenne::tools
