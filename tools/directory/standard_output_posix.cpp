#include "standard_output.h"

#include <cstdio>

namespace tarvenne::tools {

bool writeBytesToStandardOutput(std::string_view bytes) {
    return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
           std::fflush(stdout) == 0;
}

} // namespace tarvenne::tools
