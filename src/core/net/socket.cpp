#include "net/socket.h"

// Ownership of the connection's handle, alike on every platform; the platform's own file
// opens, uses and closes it.
namespace tarvenne::net {

Socket::Socket(Socket&& other) noexcept : handle_(other.handle_) {
    other.handle_ = noHandle;
}

Socket& Socket::operator=(Socket&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = other.handle_;
        other.handle_ = noHandle;
    }
    return *this;
}

Socket::~Socket() {
    close();
}

} // namespace tarvenne::net
