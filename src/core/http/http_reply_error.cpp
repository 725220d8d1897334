#include "http/http_reply_error.h"

namespace tarvenne::http {

HttpReplyError::HttpReplyError(std::u16string statusLine, int statusCode, std::u16string body)
    : Error(std::move(statusLine)), statusCode_(statusCode), body_(std::move(body)) {}

} // namespace tarvenne::http
