#include "standard_output.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace tarvenne::tools {

// Standard output starts in text mode, which would write every line feed as CR LF.
bool writeBytesToStandardOutput(std::string_view bytes) {
    std::fflush(stdout);
    return _setmode(_fileno(stdout), _O_BINARY) != -1 &&
           std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
           std::fflush(stdout) == 0;
}

} // namespace tarvenne::tools
