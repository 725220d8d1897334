#pragma once

#include "problems.h"
#include "signature/ecdsa_p256.h"

#include <string_view>

namespace tarvenne::tools {

// Checks the document's signature with the operator's key as the launcher does: a missing,
// malformed or wrong signature is an error, and the launcher's outcome becomes its failure.
void checkSignature(CheckResult& result, std::string_view body, std::string_view charset,
                    const signature::PublicKey& operatorKey);

} // namespace tarvenne::tools
