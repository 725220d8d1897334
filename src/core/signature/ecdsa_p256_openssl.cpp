#include "base/error.h"
#include "signature/ecdsa_p256.h"

#include <climits>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/pem.h>

namespace tarvenne::signature {
namespace {

struct KeyFree {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};
struct DigestFree {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};

using KeyPointer = std::unique_ptr<EVP_PKEY, KeyFree>;
using DigestContext = std::unique_ptr<EVP_MD_CTX, DigestFree>;

// Failures leave their reasons on the thread's error queue; nothing here reads them.
struct ErrorQueueClearer {
    ~ErrorQueueClearer() { ERR_clear_error(); }
};

// An encrypted key is refused rather than a passphrase asked for on the terminal.
int noPassphrase(char*, int, int, void*) {
    return 0;
}

template <typename Read> KeyPointer readPem(std::string_view pem, Read read) {
    if (pem.size() > INT_MAX)
        return nullptr;
    const std::unique_ptr<BIO, BioFree> bio(
        BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
    return KeyPointer(bio ? read(bio.get()) : nullptr);
}

bool isP256(const KeyPointer& key) {
    char group[80];
    std::size_t length = 0;
    return key && EVP_PKEY_is_a(key.get(), "EC") &&
           EVP_PKEY_get_group_name(key.get(), group, sizeof group, &length) == 1 &&
           OBJ_txt2nid(group) == NID_X9_62_prime256v1;
}

Error signingFailure() {
    return Error(u"The document cannot be signed.");
}

DigestContext newDigestContext() {
    DigestContext context(EVP_MD_CTX_new());
    if (!context)
        throw std::bad_alloc();
    return context;
}

} // namespace

struct PublicKey::Platform {
    KeyPointer key;
};

struct PrivateKey::Platform {
    KeyPointer key;
};

PublicKey PublicKey::fromPem(std::string_view pem) {
    const ErrorQueueClearer clearer;
    KeyPointer key = readPem(
        pem, [](BIO* bio) { return PEM_read_bio_PUBKEY(bio, nullptr, noPassphrase, nullptr); });
    if (!isP256(key))
        throw Error(u"The key is not an ECDSA P-256 public key in PEM form.");
    return PublicKey(std::make_shared<const Platform>(Platform{std::move(key)}));
}

bool PublicKey::verifies(std::string_view message, std::string_view derSignature) const {
    const ErrorQueueClearer clearer;
    const DigestContext context = newDigestContext();
    return EVP_DigestVerifyInit(context.get(), nullptr, EVP_sha256(), nullptr, key_->key.get()) ==
               1 &&
           EVP_DigestVerify(
               context.get(), reinterpret_cast<const unsigned char*>(derSignature.data()),
               derSignature.size(), reinterpret_cast<const unsigned char*>(message.data()),
               message.size()) == 1;
}

PrivateKey PrivateKey::fromPem(std::string_view pem) {
    const ErrorQueueClearer clearer;
    KeyPointer key = readPem(
        pem, [](BIO* bio) { return PEM_read_bio_PrivateKey(bio, nullptr, noPassphrase, nullptr); });
    if (!isP256(key))
        throw Error(u"The key is not an ECDSA P-256 private key in PEM form.");
    return PrivateKey(std::make_shared<const Platform>(Platform{std::move(key)}));
}

std::string PrivateKey::sign(std::string_view message) const {
    const ErrorQueueClearer clearer;
    const DigestContext context = newDigestContext();
    const auto* const bytes = reinterpret_cast<const unsigned char*>(message.data());
    std::size_t length = 0;
    if (EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key_->key.get()) != 1 ||
        EVP_DigestSign(context.get(), nullptr, &length, bytes, message.size()) != 1)
        throw signingFailure();
    std::string signature(length, '\0');
    if (EVP_DigestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()), &length,
                       bytes, message.size()) != 1)
        throw signingFailure();
    signature.resize(length);
    return signature;
}

} // namespace tarvenne::signature
