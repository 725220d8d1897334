#include "base/error.h"
#include "base/utf.h"
#include "signature/ecdsa_p256.h"

#include <climits>
#include <dlfcn.h>
#include <openssl/err.h>
#include <openssl/evp.h>
#include <openssl/objects.h>
#include <openssl/opensslv.h>
#include <openssl/pem.h>

namespace tarvenne::signature {
namespace {

#define TARVENNE_STRING(text) #text
#define TARVENNE_SONAME(version) "libcrypto.so." TARVENNE_STRING(version)

// The platform's cryptography is loaded when a key is first read, not with the program: a
// program that reads no key (a launcher built without the operator's key, the check tool's
// look-ups) would otherwise pay for loading and relocating the library at every start, a few
// milliseconds, most of them page faults.
constexpr const char* cryptoLibrary = TARVENNE_SONAME(OPENSSL_SHLIB_VERSION);

#undef TARVENNE_SONAME
#undef TARVENNE_STRING

// The library's functions that the keys use, as it declares them.
struct Crypto {
    decltype(&BIO_new_mem_buf) bioNewMemBuf;
    decltype(&BIO_free) bioFree;
    decltype(&ERR_clear_error) errClearError;
    decltype(&EVP_DigestSign) digestSign;
    decltype(&EVP_DigestSignInit) digestSignInit;
    decltype(&EVP_DigestVerify) digestVerify;
    decltype(&EVP_DigestVerifyInit) digestVerifyInit;
    decltype(&EVP_MD_CTX_free) mdContextFree;
    decltype(&EVP_MD_CTX_new) mdContextNew;
    decltype(&EVP_PKEY_free) keyFree;
    decltype(&EVP_PKEY_get_group_name) keyGroupName;
    decltype(&EVP_PKEY_is_a) keyIsA;
    decltype(&EVP_sha256) sha256;
    decltype(&OBJ_txt2nid) objectNid;
    decltype(&PEM_read_bio_PrivateKey) readPrivateKey;
    decltype(&PEM_read_bio_PUBKEY) readPublicKey;
};

Error cryptoMissing() {
    return Error(u"The cryptography library " + fromUtf8(cryptoLibrary) + u" cannot be loaded.");
}

template <typename Function> void bind(void* library, const char* name, Function& function) {
    function = reinterpret_cast<Function>(dlsym(library, name));
    if (function == nullptr)
        throw cryptoMissing();
}

Crypto loadCrypto() {
    // Kept loaded for the rest of the program.
    void* const library = dlopen(cryptoLibrary, RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr)
        throw cryptoMissing();
    Crypto crypto{};
    bind(library, "BIO_new_mem_buf", crypto.bioNewMemBuf);
    bind(library, "BIO_free", crypto.bioFree);
    bind(library, "ERR_clear_error", crypto.errClearError);
    bind(library, "EVP_DigestSign", crypto.digestSign);
    bind(library, "EVP_DigestSignInit", crypto.digestSignInit);
    bind(library, "EVP_DigestVerify", crypto.digestVerify);
    bind(library, "EVP_DigestVerifyInit", crypto.digestVerifyInit);
    bind(library, "EVP_MD_CTX_free", crypto.mdContextFree);
    bind(library, "EVP_MD_CTX_new", crypto.mdContextNew);
    bind(library, "EVP_PKEY_free", crypto.keyFree);
    bind(library, "EVP_PKEY_get_group_name", crypto.keyGroupName);
    bind(library, "EVP_PKEY_is_a", crypto.keyIsA);
    bind(library, "EVP_sha256", crypto.sha256);
    bind(library, "OBJ_txt2nid", crypto.objectNid);
    bind(library, "PEM_read_bio_PrivateKey", crypto.readPrivateKey);
    bind(library, "PEM_read_bio_PUBKEY", crypto.readPublicKey);
    return crypto;
}

// Throws Error when the library cannot be loaded.
const Crypto& crypto() {
    static const Crypto loaded = loadCrypto();
    return loaded;
}

struct KeyFree {
    void operator()(EVP_PKEY* key) const { crypto().keyFree(key); }
};
struct BioFree {
    void operator()(BIO* bio) const { crypto().bioFree(bio); }
};
struct DigestFree {
    void operator()(EVP_MD_CTX* context) const { crypto().mdContextFree(context); }
};

using KeyPointer = std::unique_ptr<EVP_PKEY, KeyFree>;
using DigestContext = std::unique_ptr<EVP_MD_CTX, DigestFree>;

// Failures leave their reasons on the thread's error queue; nothing here reads them.
struct ErrorQueueClearer {
    const Crypto& library = crypto();
    ~ErrorQueueClearer() { library.errClearError(); }
};

// An encrypted key is refused rather than a passphrase asked for on the terminal.
int noPassphrase(char*, int, int, void*) {
    return 0;
}

template <typename Read> KeyPointer readPem(std::string_view pem, Read read) {
    if (pem.size() > INT_MAX)
        return nullptr;
    const std::unique_ptr<BIO, BioFree> bio(
        crypto().bioNewMemBuf(pem.data(), static_cast<int>(pem.size())));
    return KeyPointer(bio ? read(bio.get()) : nullptr);
}

bool isP256(const KeyPointer& key) {
    char group[80];
    std::size_t length = 0;
    return key && crypto().keyIsA(key.get(), "EC") &&
           crypto().keyGroupName(key.get(), group, sizeof group, &length) == 1 &&
           crypto().objectNid(group) == NID_X9_62_prime256v1;
}

Error signingFailure() {
    return Error(u"The document cannot be signed.");
}

DigestContext newDigestContext() {
    DigestContext context(crypto().mdContextNew());
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
        pem, [](BIO* bio) { return crypto().readPublicKey(bio, nullptr, noPassphrase, nullptr); });
    if (!isP256(key))
        throw Error(u"The key is not an ECDSA P-256 public key in PEM form.");
    return PublicKey(std::make_shared<const Platform>(Platform{std::move(key)}));
}

bool PublicKey::verifies(std::string_view message, std::string_view derSignature) const {
    const ErrorQueueClearer clearer;
    const DigestContext context = newDigestContext();
    return crypto().digestVerifyInit(context.get(), nullptr, crypto().sha256(), nullptr,
                                     key_->key.get()) == 1 &&
           crypto().digestVerify(
               context.get(), reinterpret_cast<const unsigned char*>(derSignature.data()),
               derSignature.size(), reinterpret_cast<const unsigned char*>(message.data()),
               message.size()) == 1;
}

PrivateKey PrivateKey::fromPem(std::string_view pem) {
    const ErrorQueueClearer clearer;
    KeyPointer key = readPem(
        pem, [](BIO* bio) { return crypto().readPrivateKey(bio, nullptr, noPassphrase, nullptr); });
    if (!isP256(key))
        throw Error(u"The key is not an ECDSA P-256 private key in PEM form.");
    return PrivateKey(std::make_shared<const Platform>(Platform{std::move(key)}));
}

std::string PrivateKey::sign(std::string_view message) const {
    const ErrorQueueClearer clearer;
    const DigestContext context = newDigestContext();
    const auto* const bytes = reinterpret_cast<const unsigned char*>(message.data());
    std::size_t length = 0;
    if (crypto().digestSignInit(context.get(), nullptr, crypto().sha256(), nullptr,
                                key_->key.get()) != 1 ||
        crypto().digestSign(context.get(), nullptr, &length, bytes, message.size()) != 1)
        throw signingFailure();
    std::string signature(length, '\0');
    if (crypto().digestSign(context.get(), reinterpret_cast<unsigned char*>(signature.data()),
                            &length, bytes, message.size()) != 1)
        throw signingFailure();
    signature.resize(length);
    return signature;
}

} // namespace tarvenne::signature
