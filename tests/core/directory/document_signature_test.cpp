// Signed update documents: one table of documents, read by a launcher built with the tests'
// operator key, which takes a record only from a document that the key's owner signed, and by
// one built without a key, which reads every document as before.
#include "base/error.h"
#include "base/utf.h"
#include "directory/document_signature.h"
#include "directory/fetch_game_record.h"
#include "test_keys.h"

#include <gtest/gtest.h>

namespace tarvenne::directory {

void PrintTo(const GameRecord& entry, std::ostream* out); // in choose_game_record_test.cpp

namespace {

// Documents signed with the tests' key by "openssl dgst -sha256 -sign", and their signatures
// in base64url without padding.
constexpr std::string_view gameDocument = "Other|https://other.example.net/|in.php|Other^"
                                          "Tarvenne|https://play.example.net/|login.php|"
                                          "Tarvenne+Online%2B";
constexpr std::string_view gameSignature = "MEUCIHDzeQEMAxYBvijNMFPx4S26g2Ats1zVFvMueMYZDW8zAiEAi-"
                                           "su5TgmHqMN1QdHklsvb-X6fAGYoBFR7lWmxdbhCsI";
constexpr std::string_view utf8Document =
    "Tarvenne|https://play.example.net/|login.php|Gr\xC3\xBC\xC3\x9F"
    "e+aus+Tarvenne";
constexpr std::string_view utf8Signature = "MEUCIAJpYaUVMB4xi4OlhKJCzQYg01dW0bCZvX1fvpezJ3raAiEA6K_"
                                           "pDLyn8yGWEKcySgVwzrrn4QV9fqyhYYVmdU6pm-Q";
constexpr std::string_view windows1252Document =
    "Tarvenne|https://play.example.net/|login.php|Caf\xE9+Tarvenne";
constexpr std::string_view windows1252Signature =
    "MEYCIQD_jTyC8NPVXoHprEmXNbnQ_q_EZhdKJBn_VQTNLSG_xgIhALn-8McEB6XAPqdPYrR7leoYntwixe88oe78n83G_"
    "it6";
constexpr std::string_view otherDocument = "Other|https://other.example.net/|in.php|Other";
constexpr std::string_view otherSignature =
    "MEUCIQCgfhujZHcGEO80-YSoQLL1L3ASvwwHLBEtretXuC7sxAIgX38MSDPUdIQJ1oX_"
    "WpwHXNxObnN4xt6IA6qj3UAuS2A";

std::string withSignature(std::string_view document, std::string_view signature) {
    return std::string(document) + "^~signature|" + std::string(signature);
}

// `text` with its first `from` replaced by `to`.
std::string replaced(std::string text, std::string_view from, std::string_view to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

// The record, or the failure's message in place of the record's name.
using Outcome = std::optional<GameRecord>;

Outcome failure(std::u16string_view message) {
    return GameRecord{std::u16string(message), {}, {}, {}};
}

GameRecord game(std::u16string siteAddress, std::u16string title) {
    return GameRecord{std::u16string(gameName), std::move(siteAddress), u"login.php",
                      std::move(title)};
}

Outcome outcomeOf(std::string_view body, std::string_view charset,
                  const std::optional<signature::PublicKey>& operatorKey) {
    try {
        return chooseGameRecordFromReply({ByteBuffer(body), std::string(charset)}, 1252,
                                         operatorKey);
    } catch (const Error& failure) {
        return GameRecord{failure.message(), {}, {}, {}};
    }
}

TEST(DocumentSignature, OnlySignedDocumentsGiveARecordWithTheKey) {
    struct Case {
        std::string_view name;
        std::string body;
        std::string_view charset;
        Outcome withKey;
        Outcome withoutKey;
    };
    const std::string gameSigned = withSignature(gameDocument, gameSignature);
    const GameRecord gameRecord = game(u"https://play.example.net/", u"Tarvenne Online+");
    const Outcome notSigned = failure(notSignedByOperator);
    std::string otherLetter(gameSignature);
    otherLetter[40] = otherLetter[40] == 'A' ? 'B' : 'A';
    const Case cases[] = {
        {"signed", gameSigned, "", gameRecord, gameRecord},
        {"white space after the signature", gameSigned + " \r\n", "", gameRecord, gameRecord},
        {"signed UTF-8 page", withSignature(utf8Document, utf8Signature), "utf-8",
         game(u"https://play.example.net/", u"Gr\u00FC\u00DFe aus Tarvenne"),
         game(u"https://play.example.net/", u"Gr\u00FC\u00DFe aus Tarvenne")},
        {"signed windows-1252 page", withSignature(windows1252Document, windows1252Signature),
         "windows-1252", game(u"https://play.example.net/", u"Caf\u00E9 Tarvenne"),
         game(u"https://play.example.net/", u"Caf\u00E9 Tarvenne")},
        {"the bytes are signed, not their text: UTF-8 declared windows-1252",
         withSignature(utf8Document, utf8Signature), "windows-1252",
         game(u"https://play.example.net/", u"Gr\u00C3\u00BC\u00C3\u0178e aus Tarvenne"),
         game(u"https://play.example.net/", u"Gr\u00C3\u00BC\u00C3\u0178e aus Tarvenne")},
        {"signed without the game's record", withSignature(otherDocument, otherSignature), "",
         std::nullopt, std::nullopt},
        {"unsigned", std::string(gameDocument), "", notSigned, gameRecord},
        {"empty", "", "", notSigned, std::nullopt},
        {"a byte changed in a record", replaced(gameSigned, "play", "plby"), "", notSigned,
         game(u"https://plby.example.net/", u"Tarvenne Online+")},
        {"a byte changed that decodes alike", replaced(gameSigned, "%2B", "%2b"), "", notSigned,
         gameRecord},
        {"a letter of the signature changed", withSignature(gameDocument, otherLetter), "",
         notSigned, gameRecord},
        {"signature over other bytes", withSignature(gameDocument, utf8Signature), "", notSigned,
         gameRecord},
        {"signature cut short", withSignature(gameDocument, gameSignature.substr(0, 60)), "",
         notSigned, gameRecord},
        {"signature in the standard base64 alphabet", replaced(gameSigned, "-", "+"), "", notSigned,
         gameRecord},
        {"signature with padding", gameSigned + "=", "", notSigned, gameRecord},
        {"signature record before another record", gameSigned + "^Other|x|y|z", "", notSigned,
         gameRecord},
        {"a second signature record", withSignature(gameSigned, gameSignature), "", notSigned,
         gameRecord},
        {"signature record without its field separator",
         replaced(gameSigned, "~signature|", "~signature"), "", notSigned, gameRecord},
    };
    const auto key = operatorKeyFromPem(testing::testPublicKeyPem());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(outcomeOf(c.body, c.charset, key), c.withKey);
        EXPECT_EQ(outcomeOf(c.body, c.charset, std::nullopt), c.withoutKey);
    }
}

// What the launcher trims from the document's end would become part of the last record once a
// signature record follows it; signing keeps it out of what is signed.
TEST(DocumentSignature, SigningLeavesTheRecordAsItWas) {
    const auto privateKey = signature::PrivateKey::fromPem(testing::testPrivateKeyPem());
    const auto publicKey = operatorKeyFromPem(testing::testPublicKeyPem());
    const std::string document = "Tarvenne|https://h/|in.php|Title\r\n";

    const std::string signedOnce = signDocument(document, privateKey);
    ASSERT_TRUE(signedOnce.starts_with("Tarvenne|https://h/|in.php|Title^~signature|"))
        << signedOnce;
    EXPECT_TRUE(signedOnce.ends_with("\n"));
    EXPECT_EQ(outcomeOf(signedOnce, "", publicKey), outcomeOf(document, "", std::nullopt));
    EXPECT_EQ(signatureState(signedOnce, *publicKey), SignatureState::Valid);

    // A document that ends in signature records is signed anew, with one.
    const std::string signedAgain =
        signDocument(withSignature(signedOnce, otherSignature) + "\n", privateKey);
    EXPECT_EQ(signedAgain.find("^~signature|"), signedAgain.rfind("^~signature|"));
    EXPECT_TRUE(signedAgain.starts_with("Tarvenne|https://h/|in.php|Title^~signature|"));
    EXPECT_EQ(signatureState(signedAgain, *publicKey), SignatureState::Valid);
}

TEST(DocumentSignature, StatesTellWhatIsWrongWithTheSignature) {
    const signature::PublicKey key = signature::PublicKey::fromPem(testing::testPublicKeyPem());
    EXPECT_EQ(signatureState(gameDocument, key), SignatureState::Missing);
    EXPECT_EQ(signatureState(withSignature(gameDocument, "MEUC*"), key), SignatureState::Malformed);
    EXPECT_EQ(signatureState(withSignature(gameDocument, ""), key), SignatureState::Malformed);
    EXPECT_EQ(signatureState(withSignature(gameDocument, otherSignature), key),
              SignatureState::Wrong);
}

} // namespace
} // namespace tarvenne::directory
