// Preloaded into the launcher under test (LD_PRELOAD): notes every change of the process's
// environment through the C library (setenv, unsetenv, putenv, clearenv), with the number of
// the process's threads just before the change and the file of the code that asked for it (the
// first caller outside the C library and Qt's qputenv), as one line "PID CALL NAME THREADS FILE"
// appended to the file named in TARVENNE_ENVIRONMENT_REPORT. The processes that the launcher
// starts inherit the preload and note their changes under their own PIDs.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace {

int reportFile = -1;

// Opened as the library is loaded, before the program's own code runs.
[[gnu::constructor]] void openReport() {
    if (const char* path = std::getenv("TARVENNE_ENVIRONMENT_REPORT"))
        reportFile = ::open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
}

// [proc(5)] /proc/self/status holds a line "Threads:\tN".
int threadCount() {
    const int status = ::open("/proc/self/status", O_RDONLY | O_CLOEXEC);
    if (status < 0)
        return -1;
    std::array<char, 8192> text{};
    const ssize_t size = ::read(status, text.data(), text.size() - 1);
    ::close(status);
    if (size <= 0)
        return -1;
    const char* const line = std::strstr(text.data(), "\nThreads:");
    return line != nullptr ? std::atoi(line + std::strlen("\nThreads:")) : -1;
}

// The file name of the first caller outside this library, the C library and Qt's core library
// (whose qputenv and qunsetenv only pass a change on).
std::string_view requester() {
    std::array<void*, 24> frames{};
    const int count = ::backtrace(frames.data(), int(frames.size()));
    for (int frame = 1; frame < count; ++frame) {
        Dl_info info{};
        if (::dladdr(frames[frame], &info) == 0 || info.dli_fname == nullptr)
            continue;
        std::string_view file = info.dli_fname;
        file.remove_prefix(file.rfind('/') + 1);
        if (!file.starts_with("libc.so") && !file.starts_with("libQt6Core.so") &&
            !file.starts_with("libtarvenne-environment-watch"))
            return file;
    }
    return "?";
}

void note(const char* call, std::string_view name) {
    if (reportFile < 0)
        return;
    const std::string_view file = requester();
    std::array<char, 512> line{};
    const int size =
        std::snprintf(line.data(), line.size(), "%d %s %.*s %d %.*s\n", int(::getpid()), call,
                      int(name.size()), name.data(), threadCount(), int(file.size()), file.data());
    // A line that cannot be written shows as a change missing from the report.
    if (size > 0 &&
        ::write(reportFile, line.data(), std::min<std::size_t>(size, line.size() - 1)) < 0)
        return;
}

template <typename Function> Function* next(const char* symbol) {
    return reinterpret_cast<Function*>(::dlsym(RTLD_NEXT, symbol));
}

} // namespace

extern "C" {

int setenv(const char* name, const char* value, int overwrite) noexcept {
    static auto* const real = next<int(const char*, const char*, int)>("setenv");
    note("setenv", name != nullptr ? name : "");
    return real(name, value, overwrite);
}

int unsetenv(const char* name) noexcept {
    static auto* const real = next<int(const char*)>("unsetenv");
    note("unsetenv", name);
    return real(name);
}

int putenv(char* assignment) noexcept {
    static auto* const real = next<int(char*)>("putenv");
    const std::string_view text = assignment;
    note("putenv", text.substr(0, text.find('=')));
    return real(assignment);
}

int clearenv() noexcept {
    static auto* const real = next<int()>("clearenv");
    note("clearenv", "");
    return real();
}
}
