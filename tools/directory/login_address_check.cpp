#include "login_address_check.h"

#include "base/error_text.h"
#include "directory/login_address.h"
#include "document_text.h"

#include <algorithm>

namespace tarvenne::tools {

// The login page's address is the site address followed directly by the login page.
void checkLoginAddress(const DecodedField& siteAddress, const DecodedField& loginPage, bool used,
                       std::size_t record, const DecodedDocument& document, Findings& findings) {
    const Severity severity = used ? Severity::Error : Severity::Warning;
    const std::u16string address =
        std::u16string(siteAddress.text) + std::u16string(loginPage.text);
    const std::size_t siteAddressPlace = document.source(siteAddress.start);
    const std::string joined = "the site address " + quoted(siteAddress.text) +
                               " and the login page " + quoted(loginPage.text) + " join to " +
                               quoted(address);
    if (const auto blank = std::ranges::find_if(address, isWhiteSpace); blank != address.end()) {
        const auto index = static_cast<std::size_t>(blank - address.begin());
        const std::size_t place =
            index < siteAddress.text.size()
                ? document.source(siteAddress.start + index)
                : document.source(loginPage.start + index - siteAddress.text.size());
        findings.add(severity, place, record,
                     joined + ", which holds white space or a control character; a \"+\" in "
                              "the document stands for a space: write a plus sign as %2B");
        return;
    }
    const directory::LoginAddress read = directory::readLoginAddress(address);
    if (!read.web) {
        findings.add(severity, siteAddressPlace, record,
                     joined + ", which does not start with http:// or https://");
        return;
    }
    if (!read.namesHost) {
        findings.add(severity, siteAddressPlace, record,
                     joined + ", which names no host" +
                         (used
                              ? ": the launcher shows " +
                                    quoted(withFullStop(directory::notWebAddressMessage(address))) +
                                    " in its error box"
                              : ""));
        return;
    }
    if (read.added > 0) {
        findings.add(Severity::Warning, siteAddressPlace, record,
                     joined + ", which names no scheme: the launcher opens " +
                         quoted(read.address) + "; write the site address with https://");
    }
    if (used && read.plainHttp) {
        findings.add(Severity::Warning, siteAddressPlace, record,
                     "the login page " + quoted(read.address) +
                         " is plain http://: a network attacker can replace the login page; "
                         "serve it over https");
    }
    if (read.authorityEnd - read.added > siteAddress.text.size()) {
        findings.add(severity, document.source(loginPage.start), record,
                     joined + ": the login page runs into the host name; end the site address "
                              "with \"/\"");
    }
}

} // namespace tarvenne::tools
