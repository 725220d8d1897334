#include "tool_run.h"

#include <atomic>
#include <cstdio>
#include <fstream>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tarvenne::testing {

std::string quoted(const std::string& argument) {
#ifdef _WIN32
    return '"' + argument + '"';
#else
    return '\'' + argument + '\'';
#endif
}

namespace {

ToolRun runProgram(const std::string& program, const std::string& arguments,
                   const std::string& locale, Streams streams) {
    ToolRun run;
#ifdef _WIN32
    // cmd.exe drops the outermost quotes of the whole command. Text mode turns the tool's
    // line ends back into line feeds.
    const std::string errors = streams == Streams::OutputOnly ? " 2>NUL" : " 2>&1";
    const std::string command = '"' + quoted(program) + ' ' + arguments + errors + '"';
    FILE* pipe = _popen(command.c_str(), "r");
#else
    const std::string errors = streams == Streams::OutputOnly ? " 2>/dev/null" : " 2>&1";
    const std::string command =
        "LC_ALL=" + locale + ' ' + quoted(program) + ' ' + arguments + errors;
    FILE* pipe = popen(command.c_str(), "r");
#endif
    if (pipe == nullptr)
        return run;
    char buffer[4096];
    while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, count);
#ifdef _WIN32
    static_cast<void>(locale);
    run.exitStatus = _pclose(pipe);
#else
    const int status = pclose(pipe);
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
    return run;
}

} // namespace

ToolRun runTool(const std::string& arguments, const std::string& locale, Streams streams) {
    return runProgram(TARVENNE_DIRECTORY_TOOL, arguments, locale, streams);
}

ToolRun runToolWithTestKey(const std::string& arguments, Streams streams) {
    return runProgram(TARVENNE_DIRECTORY_TOOL_WITH_TEST_KEY, arguments, "C", streams);
}

DocumentFolder::DocumentFolder() {
    static std::atomic<int> count = 0;
    folder_ =
        std::filesystem::temp_directory_path() /
        ("tarvenne-directory-test-" + std::to_string(getpid()) + "-" + std::to_string(++count));
    std::filesystem::create_directories(folder_);
}

DocumentFolder::~DocumentFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

std::string DocumentFolder::write(const std::string& name, std::string_view bytes) const {
    const std::filesystem::path path = folder_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
}

} // namespace tarvenne::testing
