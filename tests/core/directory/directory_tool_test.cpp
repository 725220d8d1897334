#include "platform_expectations.h"
#include "scripted_server.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

#ifdef _WIN32
#include <process.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    std::string output; // standard output and standard error together
    int exitStatus = -1;
};

// One argument for the command interpreter, quoted.
std::string quoted(const std::string& argument) {
#ifdef _WIN32
    return '"' + argument + '"';
#else
    return '\'' + argument + '\'';
#endif
}

// Runs the operator tool through the command interpreter with `arguments` and a locale of its
// own. On Windows the system's ANSI code page applies whatever the locale.
ToolRun runTool(const std::string& arguments, const std::string& locale = "C") {
    ToolRun run;
#ifdef _WIN32
    // cmd.exe drops the outermost quotes of the whole command. Text mode turns the tool's
    // line ends back into line feeds.
    const std::string command = '"' + quoted(TARVENNE_DIRECTORY_TOOL) + ' ' + arguments + " 2>&1\"";
    FILE* pipe = _popen(command.c_str(), "r");
#else
    const std::string command =
        "LC_ALL=" + locale + ' ' + quoted(TARVENNE_DIRECTORY_TOOL) + ' ' + arguments + " 2>&1";
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

class DirectoryTool : public ::testing::Test {
protected:
    void SetUp() override {
        const std::string name = "tarvenne-directory-test-" + std::to_string(getpid());
        directory_ = fs::temp_directory_path() / name;
        fs::create_directories(directory_);
    }
    void TearDown() override { fs::remove_all(directory_); }

    // Writes a document and gives the path to pass with --file.
    std::string document(const std::string& name, std::string_view bytes) {
        const fs::path path = directory_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

private:
    fs::path directory_;
};

TEST_F(DirectoryTool, ReportsTheChosenRecordOrTheErrorBoxText) {
    struct Case {
        std::string_view bytes;
        std::string arguments;
        std::string output;
        int exitStatus;
    };
    const Case cases[] = {
        {"Other|x|y|z^Tarvenne|http://h/|in.php|Big+Game", "--json",
         R"({"record":{"dns":"http://h/","loginp":"in.php","caption1":"Big Game"}})"
         "\n",
         0},
        {"Tarvenne|http://h/|in.php|Big+Game", "",
         "dns: http://h/\nloginp: in.php\ncaption1: Big Game\n", 0},
        {"Other|x|y|z", "--json", "{\"record\":null}\n", 0},
        {"", "", "No record is named Tarvenne.\n", 0},
        {"Tarvenne|d|l|c%4", "--json",
         R"({"error":"Error decoding URL style (%XX) encoded string at position 15."})"
         "\n",
         1},
        {"Tarvenne|d|l|%G1", "", "Invalid URL encoded character (%G1) at position 14.\n", 1},
        {"Tarvenne|d|l", "--json", "{\"error\":\"List index out of bounds (3)\"}\n", 1},
        {"Tarvenne|d|l|\xC4\xE3\"\\", "--json",
         "{\"record\":{\"dns\":\"d\",\"loginp\":\"l\",\"caption1\":\"\xC3\x84\xC3\xA3\\\"\\\\\"}}"
         "\n",
         0},
    };
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::string path = document("case" + std::to_string(++number), c.bytes);
        const ToolRun run = runTool(c.arguments + " --file " + quoted(path));
        EXPECT_EQ(run.output, c.output);
        EXPECT_EQ(run.exitStatus, c.exitStatus);
    }
}

TEST_F(DirectoryTool, EscapesStandForBytesOfTheLocalesAnsiCodePage) {
    const std::string arguments =
        "--json --file " + quoted(document("chinese", "Tarvenne|d|l|%C4%E3"));
    const ToolRun chinese = runTool(arguments, "zh_CN.UTF-8");
    const ToolRun english = runTool(arguments, "en_US.UTF-8");
    if (tarvenne::platform::localeChoosesAnsiCodePage()) {
        EXPECT_EQ(chinese.output,
                  "{\"record\":{\"dns\":\"d\",\"loginp\":\"l\",\"caption1\":\"\xE4\xBD\xA0\"}}\n");
        EXPECT_EQ(
            english.output,
            "{\"record\":{\"dns\":\"d\",\"loginp\":\"l\",\"caption1\":\"\xC3\x84\xC3\xA3\"}}\n");
    } else {
        EXPECT_TRUE(chinese.output.starts_with("{\"record\":{\"dns\":\"d\"")) << chinese.output;
        EXPECT_EQ(chinese.output, english.output);
    }
}

TEST_F(DirectoryTool, UnreadableFileAndWrongArguments) {
    const ToolRun missing = runTool("--json --file " + quoted("/nonexistent/update.html"));
    EXPECT_EQ(missing.output,
              "{\"error\":\"Cannot read /nonexistent/update.html: No such file or directory.\"}\n");
    EXPECT_EQ(missing.exitStatus, 1);

    for (const std::string arguments : {"--bogus", "--file", "a b", "--file x url"}) {
        SCOPED_TRACE(arguments);
        const ToolRun run = runTool(arguments);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_TRUE(run.output.starts_with("Usage: tarvenne-directory")) << run.output;
    }
}

TEST_F(DirectoryTool, FetchesFromTheGivenAddress) {
    const std::string body = "Tarvenne|http://h/|in.php|Title";
    tarvenne::testing::ScriptedServer server({tarvenne::testing::send(
        "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body)});
    const ToolRun found = runTool("--json " + quoted(server.url()));
    EXPECT_EQ(
        found.output,
        "{\"record\":{\"dns\":\"http://h/\",\"loginp\":\"in.php\",\"caption1\":\"Title\"}}\n");
    EXPECT_EQ(found.exitStatus, 0);

    tarvenne::testing::RefusingPort refusing;
    const ToolRun refused =
        runTool("--json http://127.0.0.1:" + std::to_string(refusing.port()) + "/update.html");
    EXPECT_EQ(refused.output, "{\"error\":\"Socket Error # 10061\\r\\nConnection refused.\"}\n");
    EXPECT_EQ(refused.exitStatus, 1);
}

} // namespace
