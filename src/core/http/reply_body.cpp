#include "http/reply_body.h"

#include "base/ascii.h"
#include "http/body_framing.h"
#include "http/errors.h"
#include "http/limits.h"
#include "http/reply_rules.h"
#include "text/code_page.h"

namespace tarvenne::http {
namespace {

// For replies that normally have no body: one is read only when it starts soon.
ByteBuffer bodyIfItStarts(BufferedReader& reader, const ReplyHead& head, bool keep) {
    if (!reader.waitForBytes(unexpectedBodyWait))
        return {};
    return readBody(reader, bodyFramingOf(head.headers), keep);
}

} // namespace

std::u16string ReplyBody::text() const {
    return text::decodeBody(bytes.view(), charset);
}

ReplyBody takeReplyBody(BufferedReader& reader, const ReplyHead& head) {
    const auto contentType = head.headers.value("Content-Type");
    std::string charset = contentType ? charsetOf(*contentType) : std::string();
    ByteBuffer body;
    switch (judge(head.statusCode, head.headers)) {
    case Verdict::Success:
        return {readBody(reader, bodyFramingOf(head.headers), true), std::move(charset)};
    case Verdict::NoContent:
        bodyIfItStarts(reader, head, false);
        return {};
    case Verdict::NoBodyExpected:
        body = bodyIfItStarts(reader, head, true);
        break;
    case Verdict::Redirect:
    case Verdict::NoCredentials:
    case Verdict::Failure:
        body = readBody(reader, bodyFramingOf(head.headers), true);
        break;
    }
    throw HttpReplyError(asciiText(head.statusLine), head.statusCode,
                         ReplyBody{std::move(body), std::move(charset)}.text());
}

} // namespace tarvenne::http
