#include "entry_points.h"

#include "base/error.h"
#include "directory/choose_game_record.h"
#include "directory/document_signature.h"
#include "directory/record_chooser.h"
#include "directory/url_decode.h"
#include "http/cookie_store.h"
#include "http/reply_body.h"
#include "http/reply_head.h"
#include "http/reply_reader.h"
#include "http/reply_rules.h"
#include "signature/base64url.h"
#include "text/body_text.h"
#include "text/conversion.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace tarvenne::fuzz {
namespace {

std::string_view bytesOf(std::span<const std::uint8_t> data) {
    return {reinterpret_cast<const char*>(data.data()), data.size()};
}

// The fuzz input as the bytes of a connection, `readSize` bytes a read at most.
class FuzzSource : public http::ByteSource {
public:
    FuzzSource(std::string_view bytes, std::size_t readSize) : bytes_(bytes), readSize_(readSize) {}

    std::size_t read(char* buffer, std::size_t size) override {
        const std::size_t taken = std::min({size, readSize_, bytes_.size()});
        std::memcpy(buffer, bytes_.data(), taken);
        bytes_.remove_prefix(taken);
        return taken;
    }
    bool poll(std::chrono::milliseconds) override { return true; }

private:
    std::string_view bytes_;
    std::size_t readSize_;
};

constexpr std::array<text::CodePage, 9> ansiCodePages{1252,  936,  932, 949, 950,
                                                      65001, 1251, 874, 1255};
constexpr std::array<std::string_view, 8> charsets{
    "", "utf-8", "gbk", "shift_jis", "utf-16", "utf-32be", "iso-2022-jp", "windows-1251"};

template <typename Table> auto pick(const Table& table, std::uint8_t byte) {
    return table[byte % table.size()];
}

void check(bool rule, const char* what) {
    if (!rule)
        throw BrokenRule(what);
}

// The outcome of a choice: the record, or the failure's message in place of the record's name.
using Outcome = std::optional<directory::GameRecord>;

template <typename Choice> Outcome outcomeOf(Choice choice) {
    try {
        return choice();
    } catch (const Error& failure) {
        return directory::GameRecord{failure.message(), {}, {}, {}};
    }
}

std::vector<std::u16string_view> split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> pieces;
    std::size_t start = 0;
    for (;;) {
        const std::size_t found = text.find(separator, start);
        const std::size_t end = std::min(found, text.size());
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        if (found == std::u16string_view::npos)
            return pieces;
        start = found + 1;
    }
}

// The record choice written plainly: trim, split the whole text into records and each record
// into fields, take the first record named gameName.
Outcome plainChoice(std::u16string_view text) {
    const auto isBlank = [](char16_t c) { return c <= u' '; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    for (const std::u16string_view record : split(text, u'^')) {
        const std::vector<std::u16string_view> fields = split(record, u'|');
        if (fields.empty())
            return directory::GameRecord{u"List index out of bounds (0)", {}, {}, {}};
        if (fields[0] != directory::gameName)
            continue;
        if (fields.size() < 4)
            return directory::GameRecord{u"List index out of bounds (3)", {}, {}, {}};
        return directory::GameRecord{std::u16string(fields[0]), std::u16string(fields[1]),
                                     std::u16string(fields[2]), std::u16string(fields[3])};
    }
    return std::nullopt;
}

} // namespace

void readReply(std::span<const std::uint8_t> data) {
    if (data.empty())
        return;
    const std::size_t readSize = data[0] == 0 ? 64 * 1024 : data[0];
    FuzzSource source(bytesOf(data.subspan(1)), readSize);
    http::BufferedReader reader(source);
    http::CookieStore cookies;
    try {
        const http::ReplyHead head =
            http::readReplyHead(reader, [&](const http::HeaderList& headers) {
                cookies.takeFrom(headers, "http://127.0.0.1:8888/update.html");
            });
        const http::ReplyBody body = http::takeReplyBody(reader, head);
        check(body.bytes.size() <= http::maxBodySize, "a body above the bound was kept");
        body.text();
        http::allowsKeepingOpen(head.headers);
    } catch (const Error&) {
    }
    for (const http::Cookie& cookie : cookies.cookies())
        check(!cookie.name.empty(), "a cookie without a name was stored");
}

void decodeUrl(std::span<const std::uint8_t> data) {
    if (data.empty())
        return;
    const std::string bytes(bytesOf(data.subspan(1)));
    try {
        const ByteBuffer decoded =
            directory::urlDecode(ByteBuffer(bytes), pick(ansiCodePages, data[0]));
        check(decoded.size() <= bytes.size(), "URL decoding made the bytes longer");
    } catch (const Error&) {
    }
}

void chooseRecord(std::span<const std::uint8_t> data) {
    if (data.size() < 3)
        return;
    const std::string_view charset = pick(charsets, data[0]);
    const text::CodePage ansiCodePage = pick(ansiCodePages, data[1]);
    const std::size_t pieceSize = 1 + data[2] % 17;
    const std::string body(bytesOf(data.subspan(3)));

    const Outcome fromBody = outcomeOf([&] {
        return directory::chooseGameRecordFromBody(ByteBuffer(body), charset, ansiCodePage);
    });
    const Outcome fromText = outcomeOf(
        [&] { return directory::chooseGameRecord(text::decodeBody(body, charset), ansiCodePage); });
    check(fromBody == fromText, "the body and its text chose differently");

    ByteBuffer bytes = text::encodeBody(ByteBuffer(body), charset, ansiCodePage);
    try {
        bytes = directory::urlDecode(std::move(bytes), ansiCodePage);
    } catch (const Error&) {
        return;
    }
    const std::u16string decoded = text::decode(bytes.view(), ansiCodePage);
    const Outcome inPieces = outcomeOf([&] {
        directory::RecordChooser chooser(decoded.size());
        for (std::size_t at = 0; at < decoded.size(); at += pieceSize)
            if (!chooser.take(std::u16string_view(decoded).substr(at, pieceSize)))
                break;
        return chooser.finish();
    });
    check(inPieces == fromBody, "the chooser differs from the whole document's choice");
    check(inPieces == plainChoice(decoded), "the chooser differs from a plain split");
}

void checkSignature(std::span<const std::uint8_t> data) {
    // The public key of the tests' key pair (tests/keys).
    static const signature::PublicKey operatorKey = signature::PublicKey::fromPem(R"(
-----BEGIN PUBLIC KEY-----
MFkwEwYHKoZIzj0CAQYIKoZIzj0DAQcDQgAEcNrrs0qlhCmaQnin3prSvVQ+Hc/7
I2hVN4ijKZR/HiJoqhyqdHA16o33vDT6tVvo3UWHB824WyacsciUOTUoNQ==
-----END PUBLIC KEY-----
)");
    const std::string_view body = bytesOf(data);
    const directory::SignatureState state = directory::signatureState(body, operatorKey);
    const std::optional<directory::SignatureRecord> record = directory::findSignatureRecord(body);
    check((state == directory::SignatureState::Missing) == !record,
          "the signature record and the check disagree");
    if (!record)
        return;
    check(record->signedBytes == body.substr(0, record->start),
          "the signed bytes are not the bytes before the signature record");
    if (const std::optional<std::string> der = signature::base64UrlDecode(record->signature))
        check(signature::base64UrlEncode(*der) == record->signature,
              "a signature text that is not the encoding of its bytes was decoded");
}

} // namespace tarvenne::fuzz
