#pragma once

#include <string>
#include <string_view>

namespace tarvenne::tools {

// An update document as the directory server's reply brings it.
struct FetchedDocument {
    std::string body;    // the body's bytes, before any decoding
    std::string charset; // what the reply's Content-Type declares, empty when nothing
};

// Makes the launcher's request for the update document at `address` and keeps the body's
// bytes and declared charset, where the launcher keeps only the text. Throws the launcher's
// failures: those of the connection and of a reply judged a failure.
FetchedDocument fetchDocument(std::string_view address);

} // namespace tarvenne::tools
