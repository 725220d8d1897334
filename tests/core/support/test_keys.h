#pragma once

#include <string>

namespace tarvenne::testing {

// The operator key pair of the tests (tests/keys), published with them and good for nothing
// else, in PEM as openssl writes it.
std::string testPrivateKeyPath();
std::string testPublicKeyPath();
std::string testPrivateKeyPem();
std::string testPublicKeyPem();

} // namespace tarvenne::testing
