#include "options.h"

#include "address_check.h"
#include "directory/update_document_address.h"

namespace tarvenne::tools {

const std::string_view usage =
    "Usage: tarvenne-directory [--json] [URL | --file PATH [--charset NAME]]\n"
    "       tarvenne-directory --check [--json] [URL | --file PATH [--charset NAME]]\n"
    "       tarvenne-directory --sign KEY.pem --file PATH [--charset NAME]\n"
    "       tarvenne-directory --help | --version\n"
    "\n"
    "Fetches the update document as the launcher does (by default from the built-in address\n"
    "of the directory server, or from URL), decodes it and prints the record that the\n"
    "launcher would choose, or the message its error box would show. The first line names\n"
    "the address fetched or the file read.\n"
    "\n"
    "  --check         check the whole document before publishing it: list every problem\n"
    "                  with its line, column and record number\n"
    "  --sign KEY.pem  write the document signed with the operator's private key KEY.pem\n"
    "                  (ECDSA P-256 in PEM) to standard output\n"
    "  --file PATH     read the document from a local file instead of fetching it\n"
    "  --charset NAME  with --file: the charset that the server's reply will declare\n"
    "                  (none by default, which the launcher reads as ISO-8859-1)\n"
    "  --json          print one JSON object instead of lines for a person\n"
    "  --help          print this help and exit\n"
    "  --version       print the version and exit\n"
    "\n"
    "URL must be a plain http:// address with a host name or IPv4 address, as the launcher's\n"
    "own: https://, other schemes and IPv6 addresses are refused before anything is sent.\n"
    "The ANSI code page follows the locale (LC_ALL, LC_CTYPE, LANG), e.g. LANG=zh_CN for 936.\n"
    "Built with the operator's public key, the tool, like the launcher, takes only documents\n"
    "that carry the operator's signature.\n"
    "\n"
    "Exit status:\n"
    "  0  the game's record was found (--check: no problems)\n"
    "  1  the fetch, the signature or the decoding failed (--check: errors, or the fetch\n"
    "     failed; --sign: the document or the key could not be read or signed)\n"
    "  2  the command line was wrong or the address cannot be fetched by the launcher\n"
    "  3  the document holds no record of the game\n"
    "  4  --check: warnings only\n";

Command parseCommand(std::span<const std::string_view> arguments) {
    Options options;
    std::optional<std::string> url;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= arguments.size())
                throw UsageError("option " + std::string(argument) + " needs a value");
            return std::string(arguments[++i]);
        };
        if (argument == "--help" || argument == "-h") {
            return HelpRequest{};
        } else if (argument == "--version") {
            return VersionRequest{};
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--check") {
            if (options.mode == Options::Mode::Sign)
                throw UsageError("give either --check or --sign, not both");
            options.mode = Options::Mode::Check;
        } else if (argument == "--sign") {
            if (options.mode == Options::Mode::Check)
                throw UsageError("give either --check or --sign, not both");
            if (options.mode == Options::Mode::Sign)
                throw UsageError("--sign is given twice");
            options.mode = Options::Mode::Sign;
            options.signingKey = value();
        } else if (argument == "--file") {
            if (options.file)
                throw UsageError("--file is given twice");
            options.file = value();
        } else if (argument == "--charset") {
            options.charset = value();
        } else if (argument.starts_with("-")) {
            throw UsageError("unknown option " + std::string(argument));
        } else if (url) {
            throw UsageError("more than one address: " + *url + " and " + std::string(argument));
        } else {
            url = std::string(argument);
        }
    }
    if (url && options.file)
        throw UsageError("give either an address or --file, not both");
    if (options.charset && !options.file)
        throw UsageError("--charset goes with --file; a server's reply declares its own");
    if (options.mode == Options::Mode::Sign && !options.file)
        throw UsageError("--sign needs the document as --file PATH");
    if (options.mode == Options::Mode::Sign && options.json)
        throw UsageError("--sign writes the signed document, not JSON");
    options.url = url.value_or(std::string(directory::updateDocumentAddress));
    if (!options.file) {
        if (const std::optional<std::string> refusal = refusalOf(options.url))
            throw UsageError("cannot fetch " + options.url + ": " + *refusal);
    }
    return options;
}

} // namespace tarvenne::tools
