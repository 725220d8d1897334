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

TimeoutError::TimeoutError(Wait wait, std::chrono::milliseconds limit)
    : Error(wait == Wait::Connect ? u"Connect timed out." : u"Read timed out."), wait_(wait),
      limit_(limit) {}

} // namespace tarvenne::net
