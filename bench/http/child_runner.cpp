#include "child_runner.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarvenne::bench {
namespace {

bool writeAll(int pipe, const void* data, std::size_t size) {
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(pipe, bytes, size);
        if (written <= 0)
            return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool readAll(int pipe, void* data, std::size_t size) {
    char* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t received = ::read(pipe, bytes, size);
        if (received <= 0)
            return false;
        bytes += received;
        size -= static_cast<std::size_t>(received);
    }
    return true;
}

bool writeText(int pipe, const std::string& text) {
    const std::size_t size = text.size();
    return writeAll(pipe, &size, sizeof size) && writeAll(pipe, text.data(), size);
}

bool readText(int pipe, std::string& text) {
    std::size_t size = 0;
    if (!readAll(pipe, &size, sizeof size))
        return false;
    text.resize(size);
    return readAll(pipe, text.data(), size);
}

double milliseconds(const timeval& time) {
    return static_cast<double>(time.tv_sec) * 1000.0 + static_cast<double>(time.tv_usec) / 1000.0;
}

ChildRun runHere(const std::vector<std::string>& arguments) {
    int output[2];
    if (::pipe(output) < 0)
        return {};
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        std::vector<char*> argv;
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        std::_Exit(127);
    }
    ::close(output[1]);
    ChildRun run;
    char buffer[4096];
    for (ssize_t n; (n = ::read(output[0], buffer, sizeof buffer)) > 0;)
        run.output.append(buffer, static_cast<std::size_t>(n));
    ::close(output[0]);
    int status = 0;
    rusage usage{};
    const bool waited = ::wait4(child, &status, 0, &usage) == child;
    const std::chrono::duration<double, std::milli> wall = std::chrono::steady_clock::now() - start;
    run.succeeded = waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.wallMs = wall.count();
    run.cpuMs = milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime);
    run.peakKiB = usage.ru_maxrss;
    return run;
}

[[noreturn]] void serve(int requests, int answers) {
    std::size_t count = 0;
    while (readAll(requests, &count, sizeof count)) {
        std::vector<std::string> arguments(count);
        for (std::string& argument : arguments)
            if (!readText(requests, argument))
                std::_Exit(1);
        const ChildRun run = runHere(arguments);
        if (!writeAll(answers, &run.succeeded, sizeof run.succeeded) ||
            !writeAll(answers, &run.wallMs, sizeof run.wallMs) ||
            !writeAll(answers, &run.cpuMs, sizeof run.cpuMs) ||
            !writeAll(answers, &run.peakKiB, sizeof run.peakKiB) || !writeText(answers, run.output))
            break;
    }
    std::_Exit(0);
}

} // namespace

ChildRunner::ChildRunner() {
    int requests[2], answers[2];
    if (::pipe(requests) < 0 || ::pipe(answers) < 0)
        std::abort();
    helper_ = ::fork();
    if (helper_ == 0) {
        ::close(requests[1]);
        ::close(answers[0]);
        serve(requests[0], answers[1]);
    }
    ::close(requests[0]);
    ::close(answers[1]);
    requests_ = requests[1];
    answers_ = answers[0];
}

ChildRunner::~ChildRunner() {
    ::close(requests_);
    ::close(answers_);
    ::waitpid(helper_, nullptr, 0);
}

ChildRun ChildRunner::run(const std::vector<std::string>& arguments) {
    const std::size_t count = arguments.size();
    ChildRun run;
    bool sent = writeAll(requests_, &count, sizeof count);
    for (const std::string& argument : arguments)
        sent = sent && writeText(requests_, argument);
    if (!sent || !readAll(answers_, &run.succeeded, sizeof run.succeeded) ||
        !readAll(answers_, &run.wallMs, sizeof run.wallMs) ||
        !readAll(answers_, &run.cpuMs, sizeof run.cpuMs) ||
        !readAll(answers_, &run.peakKiB, sizeof run.peakKiB) || !readText(answers_, run.output))
        return {};
    return run;
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

} // namespace tarvenne::bench
