#include "base/error.h"
#include "base/launcher_path.h"

#include <windows.h>

namespace tarvenne {

// The file of the process's own module; paths may be longer than MAX_PATH.
std::u16string launcherFilePath() {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()),
                                                static_cast<DWORD>(path.size()));
        if (length == 0)
            throw Error(u"Cannot find the program's file.");
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace tarvenne
