#include "net/winsock_startup.h"

#include "net/socket_error.h"

#include <winsock2.h>

namespace tarvenne::net {
namespace {

class WinsockSession {
public:
    WinsockSession() {
        WSADATA data;
        failure_ = WSAStartup(MAKEWORD(2, 2), &data);
    }
    ~WinsockSession() {
        if (failure_ == 0)
            WSACleanup();
    }
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;

    int failure() const { return failure_; }

private:
    int failure_;
};

} // namespace

void startWinsock() {
    static const WinsockSession session;
    if (session.failure() != 0)
        throw SocketError(session.failure());
}

} // namespace tarvenne::net
