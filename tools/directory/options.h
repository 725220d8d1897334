#pragma once

#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

namespace tarvenne::tools {

// What the operator asked for on the command line.
struct Options {
    enum class Mode {
        Lookup, // the record that the launcher would choose, or the message of its error box
        Check,  // every problem of the document
        Sign,   // the document with the operator's signature, on standard output
    };
    Mode mode = Mode::Lookup;
    std::string url;                    // the document's address, when no file is given
    std::optional<std::string> file;    // a local document, read as a reply body
    std::optional<std::string> charset; // the charset a file's reply would declare
    std::string signingKey;             // with Mode::Sign: the operator's private key
    bool json = false;
};

struct HelpRequest {};
struct VersionRequest {};

using Command = std::variant<Options, HelpRequest, VersionRequest>;

// Arguments that do not make a command; the message says what is wrong with them.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The command that the arguments ask for. Throws UsageError for arguments that are not
// understood and for an address that the launcher's client cannot fetch.
Command parseCommand(std::span<const std::string_view> arguments);

extern const std::string_view usage;

} // namespace tarvenne::tools
