#include "base/error.h"
#include "signature/ecdsa_p256.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <optional>
// The cryptography headers need the types of windows.h.
// clang-format off
#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>
// clang-format on

namespace tarvenne::signature {
namespace {

// Bytes of a P-256 coordinate, of a private key, and of r and s.
constexpr std::size_t scalarSize = 32;
using Digest = std::array<UCHAR, 32>;
using RawSignature = std::array<UCHAR, 2 * scalarSize>; // r then s, big-endian, as CNG has them

// The DER of the curve's object identifier, 1.2.840.10045.3.1.7 ([RFC 5480] 2.1.1.1).
constexpr std::string_view p256Identifier = "\x06\x08\x2A\x86\x48\xCE\x3D\x03\x01\x07";

const BYTE* bytesOf(std::string_view bytes) {
    return reinterpret_cast<const BYTE*>(bytes.data());
}

struct LocalMemoryFree {
    void operator()(void* memory) const { LocalFree(memory); }
};
template <typename Value> using Decoded = std::unique_ptr<Value, LocalMemoryFree>;

// `der` decoded by the platform as `type`, or nothing when it is not one.
template <typename Value> Decoded<Value> decoded(LPCSTR type, std::string_view der) {
    void* value = nullptr;
    DWORD size = 0;
    if (der.size() > ULONG_MAX ||
        !CryptDecodeObjectEx(X509_ASN_ENCODING, type, bytesOf(der), static_cast<DWORD>(der.size()),
                             CRYPT_DECODE_ALLOC_FLAG, nullptr, &value, &size))
        return nullptr;
    return Decoded<Value>(static_cast<Value*>(value));
}

std::optional<std::string> encoded(LPCSTR type, const void* value) {
    DWORD size = 0;
    if (!CryptEncodeObjectEx(X509_ASN_ENCODING, type, value, 0, nullptr, nullptr, &size))
        return std::nullopt;
    std::string der(size, '\0');
    if (!CryptEncodeObjectEx(X509_ASN_ENCODING, type, value, 0, nullptr,
                             reinterpret_cast<BYTE*>(der.data()), &size))
        return std::nullopt;
    der.resize(size);
    return der;
}

std::string_view viewOf(const CRYPT_DER_BLOB& blob) {
    return {reinterpret_cast<const char*>(blob.pbData), blob.cbData};
}

// The DER of the PEM block labelled `label` ([RFC 7468] 2), or nothing when there is none.
std::optional<std::string> pemBlock(std::string_view pem, std::string_view label) {
    const std::size_t start = pem.find("-----BEGIN " + std::string(label) + "-----");
    if (start == std::string_view::npos || pem.size() > ULONG_MAX)
        return std::nullopt;
    pem.remove_prefix(start);
    DWORD size = 0;
    if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              nullptr, &size, nullptr, nullptr))
        return std::nullopt;
    std::string der(size, '\0');
    if (!CryptStringToBinaryA(pem.data(), static_cast<DWORD>(pem.size()), CRYPT_STRING_BASE64HEADER,
                              reinterpret_cast<BYTE*>(der.data()), &size, nullptr, nullptr))
        return std::nullopt;
    der.resize(size);
    return der;
}

class AlgorithmProvider {
public:
    explicit AlgorithmProvider(LPCWSTR algorithm) {
        if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&handle_, algorithm, nullptr, 0)))
            throw Error(u"The platform's cryptography is not available.");
    }
    ~AlgorithmProvider() { BCryptCloseAlgorithmProvider(handle_, 0); }
    AlgorithmProvider(const AlgorithmProvider&) = delete;
    AlgorithmProvider& operator=(const AlgorithmProvider&) = delete;

    BCRYPT_ALG_HANDLE handle() const { return handle_; }

private:
    BCRYPT_ALG_HANDLE handle_ = nullptr;
};

Digest sha256(std::string_view message) {
    const AlgorithmProvider provider(BCRYPT_SHA256_ALGORITHM);
    BCRYPT_HASH_HANDLE hash = nullptr;
    Digest digest{};
    bool done =
        BCRYPT_SUCCESS(BCryptCreateHash(provider.handle(), &hash, nullptr, 0, nullptr, 0, 0));
    // The platform takes at most ULONG_MAX bytes at a time.
    while (done && !message.empty()) {
        const auto part = static_cast<ULONG>(std::min<std::size_t>(message.size(), ULONG_MAX));
        done = BCRYPT_SUCCESS(BCryptHashData(
            hash, const_cast<PUCHAR>(reinterpret_cast<const UCHAR*>(message.data())), part, 0));
        message.remove_prefix(part);
    }
    done = done && BCRYPT_SUCCESS(BCryptFinishHash(hash, digest.data(), digest.size(), 0));
    if (hash != nullptr)
        BCryptDestroyHash(hash);
    if (!done)
        throw Error(u"The platform cannot compute SHA-256.");
    return digest;
}

// A non-negative INTEGER of `bigEndian`'s bytes, in its shortest DER ([X.690] 8.3.2).
std::optional<std::string> encodedInteger(const UCHAR* bigEndian) {
    std::array<BYTE, scalarSize> littleEndian;
    std::reverse_copy(bigEndian, bigEndian + scalarSize, littleEndian.begin());
    DWORD length = scalarSize;
    while (length > 1 && littleEndian[length - 1] == 0)
        --length;
    const CRYPT_UINT_BLOB value{length, littleEndian.data()};
    return encoded(X509_MULTI_BYTE_UINT, &value);
}

// The DER signature of r and s. Built from its parts, as the platform's whole ECC signature
// encoding is missing from some of its implementations.
std::optional<std::string> derSignatureOf(const RawSignature& signature) {
    std::optional<std::string> r = encodedInteger(signature.data());
    std::optional<std::string> s = encodedInteger(signature.data() + scalarSize);
    if (!r || !s)
        return std::nullopt;
    CRYPT_DER_BLOB parts[] = {{static_cast<DWORD>(r->size()), reinterpret_cast<BYTE*>(r->data())},
                              {static_cast<DWORD>(s->size()), reinterpret_cast<BYTE*>(s->data())}};
    const CRYPT_SEQUENCE_OF_ANY sequence{2, parts};
    return encoded(X509_SEQUENCE_OF_ANY, &sequence);
}

// A little-endian unsigned integer of the platform, written big-endian into `scalarSize`
// bytes; false when it does not fit.
bool writeBigEndian(const CRYPT_UINT_BLOB& littleEndian, UCHAR* out) {
    DWORD length = littleEndian.cbData;
    while (length > 0 && littleEndian.pbData[length - 1] == 0)
        --length;
    if (length > scalarSize)
        return false;
    std::fill_n(out, scalarSize, UCHAR{0});
    std::reverse_copy(littleEndian.pbData, littleEndian.pbData + length, out + scalarSize - length);
    return true;
}

// The content of a field with the explicit tag `tag` ([X.690] 8.14), short lengths only.
std::optional<std::string_view> explicitContent(const CRYPT_DER_BLOB& field, BYTE tag) {
    const std::string_view der = viewOf(field);
    if (der.size() < 2 || static_cast<BYTE>(der[0]) != tag ||
        static_cast<BYTE>(der[1]) != der.size() - 2)
        return std::nullopt;
    return der.substr(2);
}

struct KeyParts {
    std::string point;  // 04, then x and y ([SEC 1] 2.3.3)
    std::string scalar; // the private key
};

// The private key and its public point from the DER of an ECPrivateKey ([RFC 5915] 3):
// SEQUENCE { version INTEGER (1), privateKey OCTET STRING, parameters [0] OPTIONAL,
// publicKey [1] BIT STRING OPTIONAL }, the parameters, where given, naming P-256.
std::optional<KeyParts> privateKeyParts(std::string_view der) {
    const auto fields = decoded<CRYPT_SEQUENCE_OF_ANY>(X509_SEQUENCE_OF_ANY, der);
    if (!fields || fields->cValue < 2 || viewOf(fields->rgValue[0]) != "\x02\x01\x01")
        return std::nullopt;
    const auto scalar = decoded<CRYPT_DATA_BLOB>(X509_OCTET_STRING, viewOf(fields->rgValue[1]));
    if (!scalar || scalar->cbData != scalarSize)
        return std::nullopt;
    KeyParts parts{{}, std::string(viewOf(*scalar))};
    for (DWORD i = 2; i < fields->cValue; ++i) {
        if (const auto parameters = explicitContent(fields->rgValue[i], 0xA0)) {
            if (*parameters != p256Identifier)
                return std::nullopt;
        } else if (const auto publicKey = explicitContent(fields->rgValue[i], 0xA1)) {
            const auto bits = decoded<CRYPT_BIT_BLOB>(X509_BITS, *publicKey);
            if (!bits || bits->cUnusedBits != 0)
                return std::nullopt;
            parts.point = std::string(reinterpret_cast<const char*>(bits->pbData), bits->cbData);
        } else {
            return std::nullopt;
        }
    }
    if (parts.point.size() != 1 + 2 * scalarSize || parts.point[0] != '\x04')
        return std::nullopt;
    return parts;
}

Error notAPrivateKey() {
    return Error(u"The key is not an ECDSA P-256 private key in PEM form.");
}

} // namespace

struct PublicKey::Platform {
    explicit Platform(BCRYPT_KEY_HANDLE handle) : key(handle) {}
    ~Platform() { BCryptDestroyKey(key); }
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    BCRYPT_KEY_HANDLE key;
};

struct PrivateKey::Platform {
    Platform() : provider(BCRYPT_ECDSA_P256_ALGORITHM) {}
    ~Platform() {
        if (key != nullptr)
            BCryptDestroyKey(key);
    }
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    AlgorithmProvider provider; // outlives the key made with it
    BCRYPT_KEY_HANDLE key = nullptr;
};

PublicKey PublicKey::fromPem(std::string_view pem) {
    const std::optional<std::string> der = pemBlock(pem, "PUBLIC KEY");
    const auto info = der ? decoded<CERT_PUBLIC_KEY_INFO>(X509_PUBLIC_KEY_INFO, *der) : nullptr;
    BCRYPT_KEY_HANDLE key = nullptr;
    if (!info || std::string_view(info->Algorithm.pszObjId) != szOID_ECC_PUBLIC_KEY ||
        viewOf(info->Algorithm.Parameters) != p256Identifier ||
        !CryptImportPublicKeyInfoEx2(X509_ASN_ENCODING, info.get(), 0, nullptr, &key))
        throw Error(u"The key is not an ECDSA P-256 public key in PEM form.");
    return PublicKey(std::make_shared<const Platform>(key));
}

bool PublicKey::verifies(std::string_view message, std::string_view derSignature) const {
    const auto signature = decoded<CERT_ECC_SIGNATURE>(X509_ECC_SIGNATURE, derSignature);
    RawSignature raw{};
    if (!signature || !writeBigEndian(signature->r, raw.data()) ||
        !writeBigEndian(signature->s, raw.data() + scalarSize))
        return false;
    // Only the one DER form of r and s is a signature, as [X.690] 10 has it.
    if (derSignatureOf(raw) != derSignature)
        return false;
    Digest digest = sha256(message);
    return BCRYPT_SUCCESS(BCryptVerifySignature(key_->key, nullptr, digest.data(), digest.size(),
                                                raw.data(), raw.size(), 0));
}

PrivateKey PrivateKey::fromPem(std::string_view pem) {
    const std::optional<std::string> der = pemBlock(pem, "EC PRIVATE KEY");
    const std::optional<KeyParts> parts = der ? privateKeyParts(*der) : std::nullopt;
    if (!parts)
        throw notAPrivateKey();
    // [BCRYPT_ECCKEY_BLOB] x, y, then the private key.
    std::string blob(sizeof(BCRYPT_ECCKEY_BLOB), '\0');
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PRIVATE_P256_MAGIC, scalarSize};
    std::memcpy(blob.data(), &header, sizeof header);
    blob += parts->point.substr(1);
    blob += parts->scalar;
    auto key = std::make_shared<Platform>();
    if (!BCRYPT_SUCCESS(BCryptImportKeyPair(key->provider.handle(), nullptr, BCRYPT_ECCPRIVATE_BLOB,
                                            &key->key, reinterpret_cast<PUCHAR>(blob.data()),
                                            static_cast<ULONG>(blob.size()), 0)))
        throw notAPrivateKey();
    return PrivateKey(std::move(key));
}

std::string PrivateKey::sign(std::string_view message) const {
    Digest digest = sha256(message);
    RawSignature raw{};
    ULONG written = 0;
    std::optional<std::string> signature;
    if (BCRYPT_SUCCESS(BCryptSignHash(key_->key, nullptr, digest.data(), digest.size(), raw.data(),
                                      raw.size(), &written, 0)) &&
        written == raw.size())
        signature = derSignatureOf(raw);
    if (!signature)
        throw Error(u"The document cannot be signed.");
    return *std::move(signature);
}

} // namespace tarvenne::signature
