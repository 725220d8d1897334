#pragma once

#include <QString>
#include <memory>
#include <thread>

namespace httplib {
class SSLServer;
}

namespace tarvenne::ui::test {

// A web server over TLS on 127.0.0.1 at a free port, with a self-signed certificate made in
// memory, answering every GET with an empty reply in a thread of its own. A browser that
// reaches it goes through the whole TLS handshake and then refuses the certificate. It stops by
// itself when destroyed.
class TlsLoopbackServer {
public:
    TlsLoopbackServer();
    ~TlsLoopbackServer();
    TlsLoopbackServer(const TlsLoopbackServer&) = delete;
    TlsLoopbackServer& operator=(const TlsLoopbackServer&) = delete;

    // "https://127.0.0.1:<port>" followed by `path`.
    QString address(const QString& path) const;

private:
    std::unique_ptr<httplib::SSLServer> server_;
    int port_ = 0;
    std::thread thread_;
};

} // namespace tarvenne::ui::test
