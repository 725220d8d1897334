#include "base/error.h"
#include "base/launcher_path.h"
#include "base/utf.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace tarvenne {

// The kernel's link to the program's file; file names are taken as UTF-8.
std::u16string launcherFilePath() {
    std::string path(256, '\0');
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
        if (length < 0)
            throw Error(
                fromUtf8(std::string("Cannot find the program's file: ") + std::strerror(errno)));
        if (static_cast<std::size_t>(length) < path.size()) {
            path.resize(static_cast<std::size_t>(length));
            return fromUtf8(path);
        }
        path.resize(path.size() * 2);
    }
}

} // namespace tarvenne
