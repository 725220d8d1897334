#include "net/socket_error.h"

#include "base/utf.h"
#include "net/winsock_codes.h"

#include <string>

namespace tarvenne::net {
namespace {

std::u16string socketErrorMessage(int code) {
    std::u16string message = u"Socket Error # " + fromLatin1(std::to_string(code)) + u"\r\n";
    message += winsockErrorText(code);
    return message;
}

} // namespace

SocketError::SocketError(int code) : Error(socketErrorMessage(code)), code_(code) {}

TimeoutError TimeoutError::connect() {
    return TimeoutError(u"Connect timed out.");
}

TimeoutError TimeoutError::read() {
    return TimeoutError(u"Read timed out.");
}

} // namespace tarvenne::net
