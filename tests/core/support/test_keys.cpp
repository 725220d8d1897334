#include "test_keys.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tarvenne::testing {
namespace {

std::string contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

} // namespace

std::string testPrivateKeyPath() {
    return TARVENNE_TEST_KEYS "/test-operator-key.pem";
}

std::string testPublicKeyPath() {
    return TARVENNE_TEST_KEYS "/test-operator-key.pub.pem";
}

std::string testPrivateKeyPem() {
    return contents(testPrivateKeyPath());
}

std::string testPublicKeyPem() {
    return contents(testPublicKeyPath());
}

} // namespace tarvenne::testing
