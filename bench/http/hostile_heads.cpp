// The heaviest reply heads that the client's limits allow (255 head lines of up to 16 KiB): each
// case is one GET against a loopback server in a fresh process, which reports the GET's wall time;
// its CPU time and peak memory come from wait4(). Cases take turns, `runs` times each; medians
// are printed with the machine's load. Usage: http_hostile_heads [runs]
// (run with --case N, the program plays case N once and prints the GET's milliseconds).
#include "http/http_client.h"
#include "http/reply_reader.h"
#include "scripted_server.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace tarvenne;

const std::string body = "Tarvenne|http://login.example.net/|index.php|Tarvenne";
// Longest line that the client takes: its bytes before the line feed, the carriage return
// included.
constexpr std::size_t longestLine = http::maxLineLength - 1;

std::string line(std::string_view text) {
    return std::string(text) + "\r\n";
}

std::string endOfHead() {
    return line("Content-Length: " + std::to_string(body.size())) + "\r\n" + body;
}

// Distinct cookie names of four characters that need no quoting.
std::string cookieName(std::size_t index) {
    static const std::string alphabet =
        "!#$%&'()*+-./0123456789:<>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{|}~";
    std::string name;
    for (int i = 0; i < 4; ++i) {
        name += alphabet[index % alphabet.size()];
        index /= alphabet.size();
    }
    return name;
}

// A "Set-Cookie2" line as long as the limit allows, listing empty cookies from `next` on.
std::string setCookie2Line(std::size_t& next) {
    std::string text = "Set-Cookie2: ";
    while (text.size() + 6 <= longestLine)
        text += cookieName(next++) + "=,";
    return line(text);
}

std::string cookieFlood() {
    std::string reply = line("HTTP/1.1 200 OK");
    std::size_t next = 0;
    for (int i = 0; i < http::maxHeadLines - 2; ++i)
        reply += setCookie2Line(next);
    return reply + endOfHead();
}

std::string setCookieAgainstSetCookie2() {
    std::string reply = line("HTTP/1.1 200 OK");
    std::size_t next = 0;
    for (int i = 0; i < (http::maxHeadLines - 2) / 2; ++i)
        reply += setCookie2Line(next);
    for (int i = 0; i < (http::maxHeadLines - 2) / 2; ++i)
        reply += line("Set-Cookie: " + cookieName(next + static_cast<std::size_t>(i)) + "=" +
                      std::string(longestLine - 30, 'v'));
    return reply + endOfHead();
}

std::string interimHeads(bool sameCookies) {
    std::string reply;
    std::size_t next = 0;
    for (int i = 0; i < (http::maxHeadLines - 3) / 2; ++i) {
        if (sameCookies)
            next = 0;
        reply += line("HTTP/1.1 100 Continue") + setCookie2Line(next) + "\r\n";
    }
    return reply + line("HTTP/1.1 200 OK") + endOfHead();
}

std::string continuationLines() {
    std::string reply = line("HTTP/1.1 200 OK") + line("X-Long: start");
    for (int i = 0; i < http::maxHeadLines - 4; ++i)
        reply += line(" \t" + std::string(longestLine - 4, 'c') + " ");
    return reply + endOfHead();
}

std::string manyParameters() {
    std::string contentType = "Content-Type: text/html";
    while (contentType.size() + 30 < longestLine)
        contentType += "; a=\"b\\\"c\"";
    return line("HTTP/1.1 200 OK") + line(contentType + "; charset=UTF-8") + endOfHead();
}

std::string headerFlood() {
    std::string reply = line("HTTP/1.1 200 OK");
    for (int i = 0; i < http::maxHeadLines - 2; ++i)
        reply += line("X-Filler-" + std::to_string(i) + ": " + std::string(longestLine - 20, 'v'));
    return reply + endOfHead();
}

struct Case {
    const char* name;
    std::string (*reply)();
};

const Case cases[] = {
    {"253 Set-Cookie2 lines, 690,000 distinct cookies", cookieFlood},
    {"126 Set-Cookie2 lines against 126 Set-Cookie lines", setCookieAgainstSetCookie2},
    {"126 interim heads, the same cookies in each", [] { return interimHeads(true); }},
    {"126 interim heads, distinct cookies in each", [] { return interimHeads(false); }},
    {"one header continued over 251 lines of 16 KiB", continuationLines},
    {"Content-Type with 1,600 quoted parameters before the charset", manyParameters},
    {"253 headers of 16 KiB", headerFlood},
};
constexpr int caseCount = static_cast<int>(std::size(cases));

// Plays one case: prints the GET's wall time in milliseconds; fails when the record is not
// returned.
int playCase(int index) {
    testing::ScriptedServer server({testing::send(cases[index].reply())});
    http::HttpClient client;
    const auto start = std::chrono::steady_clock::now();
    const std::u16string text = client.getText(server.url());
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (text != std::u16string(body.begin(), body.end()))
        return 1;
    std::printf("%.3f\n", took.count());
    return 0;
}

struct Measurement {
    double getMs = 0;
    double cpuMs = 0;
    long peakKiB = 0;
};

bool measure(int index, Measurement& out) {
    int output[2];
    if (::pipe(output) < 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(output[1], STDOUT_FILENO);
        ::close(output[0]);
        ::close(output[1]);
        const std::string number = std::to_string(index);
        ::execl("/proc/self/exe", "http_hostile_heads", "--case", number.c_str(), nullptr);
        std::_Exit(127);
    }
    ::close(output[1]);
    char printed[64] = {};
    const ssize_t length = ::read(output[0], printed, sizeof printed - 1);
    ::close(output[0]);
    int status = 0;
    rusage usage{};
    if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 || length <= 0)
        return false;
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    out = {std::atof(printed), ms(usage.ru_utime) + ms(usage.ru_stime), usage.ru_maxrss};
    return true;
}

template <typename T> T median(std::vector<T> values) {
    std::ranges::sort(values);
    return values[values.size() / 2];
}

std::string loadAverage() {
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string_view(argv[1]) == "--case")
        return playCase(std::clamp(std::atoi(argv[2]), 0, caseCount - 1));
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;

    const std::string loadBefore = loadAverage();
    std::vector<std::vector<Measurement>> measured(caseCount);
    for (int run = 0; run < runs; ++run) {
        for (int i = 0; i < caseCount; ++i) {
            Measurement m;
            if (!measure(i, m)) {
                std::printf("%s: the GET did not return the record\n", cases[i].name);
                return 1;
            }
            measured[static_cast<std::size_t>(i)].push_back(m);
        }
    }
    std::printf("Hostile reply heads, one GET each in a fresh process, medians of %d runs\n", runs);
    std::printf("(load average %s before, %s after)\n\n", loadBefore.c_str(),
                loadAverage().c_str());
    std::printf("| reply head | head size | GET, wall | process CPU | process peak memory |\n");
    std::printf("|---|---|---|---|---|\n");
    for (int i = 0; i < caseCount; ++i) {
        std::vector<double> get, cpu;
        std::vector<long> peak;
        for (const Measurement& m : measured[static_cast<std::size_t>(i)]) {
            get.push_back(m.getMs);
            cpu.push_back(m.cpuMs);
            peak.push_back(m.peakKiB);
        }
        std::printf("| %s | %.1f MiB | %.0f ms | %.0f ms | %.0f MiB |\n", cases[i].name,
                    static_cast<double>(cases[i].reply().size()) / (1024 * 1024), median(get),
                    median(cpu), median(peak) / 1024.0);
    }
    return 0;
}
