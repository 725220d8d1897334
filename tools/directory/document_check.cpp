#include "document_check.h"

#include "check_context.h"
#include "encoding_check.h"
#include "record_check.h"
#include "url_decoding_check.h"

namespace tarvenne::tools {

// The checks report in the order of the launcher's reading: the bytes as text, the escapes,
// then the records.
CheckResult checkDocument(std::string_view body, std::string_view charset,
                          text::CodePage ansiCodePage) {
    const CheckedBody checked(body, charset, ansiCodePage);
    Findings findings;
    const bool charsetAdvised = checkCharset(checked, findings);
    checkByteOrderMark(checked, findings);
    const DecodedDocument decoded = checkUrlDecoding(checked, charsetAdvised, findings);
    const std::vector<std::size_t> recordStarts = checkRecords(checked, decoded, findings);
    return {findings.placed(checked.text, recordStarts),
            launcherOutcome(checked.text, ansiCodePage),
            {}};
}

} // namespace tarvenne::tools
