#include "tls_loopback_server.h"

#include <httplib.h>
#include <openssl/evp.h>
#include <openssl/x509.h>
#include <stdexcept>

namespace tarvenne::ui::test {
namespace {

struct KeyAndCertificate {
    EVP_PKEY* key;
    X509* certificate;
};

// A key and a certificate for 127.0.0.1, signed with that key, valid for a day.
KeyAndCertificate selfSigned() {
    EVP_PKEY* const key = EVP_EC_gen("P-256");
    X509* const certificate = X509_new();
    if (!key || !certificate)
        throw std::runtime_error("cannot make a key and a certificate");
    X509_set_version(certificate, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(certificate), 0);
    X509_gmtime_adj(X509_getm_notAfter(certificate), 24 * 60 * 60);
    X509_set_pubkey(certificate, key);
    X509_NAME* const name = X509_get_subject_name(certificate);
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1, 0);
    X509_set_issuer_name(certificate, name);
    X509_sign(certificate, key, EVP_sha256());
    return {key, certificate};
}

} // namespace

TlsLoopbackServer::TlsLoopbackServer() {
    const KeyAndCertificate made = selfSigned();
    server_ = std::make_unique<httplib::SSLServer>(made.certificate, made.key);
    X509_free(made.certificate);
    EVP_PKEY_free(made.key);
    server_->Get(".*", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("", "text/plain");
    });
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0)
        throw std::runtime_error("the TLS loopback server cannot bind");
    thread_ = std::thread([this] { server_->listen_after_bind(); });
}

TlsLoopbackServer::~TlsLoopbackServer() {
    server_->stop();
    if (thread_.joinable())
        thread_.join();
}

QString TlsLoopbackServer::address(const QString& path) const {
    return QStringLiteral("https://127.0.0.1:%1%2").arg(port_).arg(path);
}

} // namespace tarvenne::ui::test
