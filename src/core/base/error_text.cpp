#include "base/error_text.h"

#include "base/error.h"
#include "base/utf.h"

namespace tarvenne {
namespace {

std::u16string messageOf(const std::exception& failure) {
    if (const auto* error = dynamic_cast<const Error*>(&failure))
        return error->message();
    return fromUtf8(failure.what());
}

// The message of the innermost nested failure, unless that message is empty.
std::u16string innermostMessage(const std::exception& failure) {
    std::u16string message = messageOf(failure);
    try {
        std::rethrow_if_nested(failure);
    } catch (const std::exception& inner) {
        std::u16string innerMessage = innermostMessage(inner);
        if (!innerMessage.empty())
            return innerMessage;
    } catch (...) {
    }
    return message;
}

} // namespace

std::optional<std::u16string> errorBoxText(const std::exception& failure) {
    if (dynamic_cast<const Abort*>(&failure))
        return std::nullopt;
    return withFullStop(innermostMessage(failure));
}

std::u16string withFullStop(std::u16string text) {
    if (!text.empty() && text.back() > u'.')
        text.push_back(u'.');
    return text;
}

} // namespace tarvenne
