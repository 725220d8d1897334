#include "base/error.h"

#include "base/utf.h"

namespace tarvenne {

Error::Error(std::u16string message) : message_(std::move(message)), utf8_(toUtf8(message_)) {}

} // namespace tarvenne
