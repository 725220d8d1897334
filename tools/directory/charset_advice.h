#pragma once

#include "text/code_page.h"

#include <optional>
#include <string>
#include <string_view>

// Which charset an operator should declare for an update document.
namespace tarvenne::tools {

// The charset name that an operator declares for a code page: "windows-1252", "UTF-8",
// "Shift_JIS", ...; nothing for a page that no charset name selects.
std::optional<std::string> nameToDeclare(text::CodePage codePage);

struct CharsetAdvice {
    std::string name;   // the name to declare
    std::string caveat; // what to do first, if anything, in UTF-8
};

// For a charset name that the launcher does not know but that stands for a page it knows
// ("utf8", "cp1252", "latin-1", "ISO-8859-15", ...): the name to declare instead.
std::optional<CharsetAdvice> knownNameFor(std::string_view declaredName);

// The single-byte page, among those that a charset name selects, that reads every byte of
// `body` as a character that prints (or a line break or tab): `preferred` first, then Windows
// Latin 1 (1252), then the other Windows pages and KOI8-R.
std::optional<text::CodePage> fittingSingleBytePage(std::string_view body,
                                                    text::CodePage preferred);

} // namespace tarvenne::tools
