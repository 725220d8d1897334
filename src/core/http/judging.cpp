#include "http/judging.h"

namespace tarvenne::http {

Verdict judge(int statusCode, const HeaderList& headers) {
    const auto location = headers.value("Location");
    if ((statusCode >= 300 && statusCode <= 399 && statusCode != 304) ||
        (statusCode != 201 && location && !location->empty()))
        return Verdict::Redirect;
    if (statusCode == 204)
        return Verdict::NoContent;
    if (statusCode >= 200 && statusCode <= 299)
        return Verdict::Success;
    if (statusCode == 401 || statusCode == 407)
        return Verdict::NoCredentials;
    if ((statusCode >= 101 && statusCode <= 199) || statusCode == 304)
        return Verdict::NoBodyExpected;
    return Verdict::Failure;
}

} // namespace tarvenne::http
