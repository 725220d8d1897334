// The operator tool's lookup and conventions, run as the operator runs it: what it prints,
// its exit statuses, and the addresses it refuses before sending anything.
#include "platform_expectations.h"
#include "scripted_server.h"
#include "tool_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>

namespace {

using nlohmann::json;
using tarvenne::testing::DocumentFolder;
using tarvenne::testing::quoted;
using tarvenne::testing::runTool;
using tarvenne::testing::Streams;
using tarvenne::testing::ToolRun;

TEST(DirectoryTool, ReportsTheChosenRecordOrTheErrorBoxText) {
    struct Case {
        std::string_view bytes;
        std::string arguments;
        std::string output; // plain: after the line that names the file; JSON: without "file"
        int exitStatus;
    };
    const Case cases[] = {
        {"Other|x|y|z^Tarvenne|http://h/|in.php|Big+Game", "--json",
         R"j({"record":{"dns":"http://h/","loginp":"in.php","caption1":"Big Game"}})j", 0},
        {"Tarvenne|http://h/|in.php|Big+Game", "",
         "dns: http://h/\nloginp: in.php\ncaption1: Big Game\n", 0},
        {"Other|x|y|z", "--json", R"j({"record":null})j", 3},
        {"", "", "No record is named Tarvenne.\n", 3},
        {"Tarvenne|d|l|c%4", "--json",
         R"j({"error":"Error decoding URL style (%XX) encoded string at position 15."})j", 1},
        {"Tarvenne|d|l|%G1", "", "Invalid URL encoded character (%G1) at position 14.\n", 1},
        {"Tarvenne|d|l", "--json", R"j({"error":"List index out of bounds (3)"})j", 1},
        {"Tarvenne|d|l|\xC4\xE3\"\\", "--json",
         "{\"record\":{\"dns\":\"d\",\"loginp\":\"l\",\"caption1\":\"\xC3\x84\xC3\xA3\\\"\\\\\"}}",
         0},
        {"Tarvenne|d|l|Caf\xC3\xA9", "--charset UTF-8",
         "dns: d\nloginp: l\ncaption1: Caf\xC3\xA9\n", 0},
    };
    const DocumentFolder folder;
    int number = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const std::string path = folder.write("case" + std::to_string(++number), c.bytes);
        const ToolRun run = runTool(c.arguments + " --file " + quoted(path));
        EXPECT_EQ(run.exitStatus, c.exitStatus);
        if (!c.arguments.starts_with("--json")) {
            EXPECT_EQ(run.output, "file: " + path + "\n" + c.output);
            continue;
        }
        json report = json::parse(run.output, nullptr, false);
        ASSERT_TRUE(report.is_object()) << run.output;
        EXPECT_EQ(report.value("file", ""), path);
        report.erase("file");
        EXPECT_EQ(report, json::parse(c.output));
    }
}

TEST(DirectoryTool, EscapesStandForBytesOfTheLocalesAnsiCodePage) {
    const DocumentFolder folder;
    const std::string arguments =
        "--file " + quoted(folder.write("chinese", "Tarvenne|d|l|%C4%E3"));
    const ToolRun chinese = runTool(arguments, "zh_CN.UTF-8", Streams::OutputOnly);
    const ToolRun english = runTool(arguments, "en_US.UTF-8", Streams::OutputOnly);
    if (tarvenne::platform::localeChoosesAnsiCodePage()) {
        EXPECT_TRUE(chinese.output.ends_with("caption1: \xE4\xBD\xA0\n")) << chinese.output;
        EXPECT_TRUE(english.output.ends_with("caption1: \xC3\x84\xC3\xA3\n")) << english.output;
    } else {
        EXPECT_EQ(chinese.output, english.output);
    }
}

TEST(DirectoryTool, HelpVersionAndWrongArguments) {
    const ToolRun help = runTool("--help", "C", Streams::OutputOnly);
    EXPECT_TRUE(help.output.starts_with("Usage: tarvenne-directory")) << help.output;
    EXPECT_NE(help.output.find("Exit status:"), std::string::npos);
    EXPECT_EQ(help.exitStatus, 0);

    const ToolRun version = runTool("--version", "C", Streams::OutputOnly);
    EXPECT_EQ(version.output, "tarvenne-directory " TARVENNE_VERSION "\n");
    EXPECT_EQ(version.exitStatus, 0);

    const ToolRun missing = runTool("--json --file " + quoted("/nonexistent/update.html"));
    EXPECT_EQ(json::parse(missing.output, nullptr, false).value("error", ""),
              "Cannot read /nonexistent/update.html: No such file or directory.");
    EXPECT_EQ(missing.exitStatus, 1);

    struct Case {
        std::string arguments;
        std::string message;
    };
    const Case cases[] = {
        {"--bogus", "unknown option --bogus"},
        {"--file", "option --file needs a value"},
        {"http://a/ http://b/", "more than one address: http://a/ and http://b/"},
        {"--file x http://a/", "give either an address or --file, not both"},
        {"--charset UTF-8 http://a/", "--charset goes with --file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitStatus, 2);
        EXPECT_TRUE(run.output.starts_with("tarvenne-directory: " + c.message)) << run.output;
        EXPECT_TRUE(runTool(c.arguments, "C", Streams::OutputOnly).output.empty());
    }
}

// Addresses that the launcher's client would misread are refused before a connection is made:
// the server behind them sees nothing.
TEST(DirectoryTool, RefusesAddressesTheClientCannotFetch) {
    tarvenne::testing::ScriptedServer server({tarvenne::testing::send("HTTP/1.1 200 OK\r\n\r\n")});
    const std::string port = std::to_string(server.port());
    struct Case {
        std::string address;
        std::string reason;
    };
    const Case cases[] = {
        {"https://127.0.0.1:" + port + "/update.html", "the scheme \"https:\" is not supported"},
        {"HTTPS://127.0.0.1:" + port + "/update.html", "the scheme \"HTTPS:\" is not supported"},
        {"ftp://127.0.0.1:" + port + "/update.html", "the scheme \"ftp:\" is not supported"},
        {"127.0.0.1:" + port + "/update.html", "the address has no scheme"},
        {"http://[::1]:" + port + "/update.html", "IPv6 addresses are not supported"},
        {"http://127.0.0.1:70000/update.html", "the port 70000 is out of range (1 to 65535)"},
        {"http://127.0.0.1:0/update.html", "the port 0 is out of range (1 to 65535)"},
        {"http://127.0.0.1:80x/update.html", "the port \"80x\" is not a number"},
        {"http://:" + port + "/update.html", "the address names no host"},
    };
    for (const auto& c : cases) {
        for (const std::string mode : {"", "--check "}) {
            SCOPED_TRACE(mode + c.address);
            const ToolRun run = runTool(mode + quoted(c.address));
            EXPECT_TRUE(run.output.starts_with("tarvenne-directory: cannot fetch " + c.address +
                                               ": " + c.reason))
                << run.output;
            EXPECT_EQ(run.exitStatus, 2);
        }
    }
    EXPECT_TRUE(server.requests().empty());
}

TEST(DirectoryTool, NamesTheAddressItFetches) {
    const std::string body = "Tarvenne|http://h/|in.php|Title";
    tarvenne::testing::ScriptedServer server({tarvenne::testing::send(
        "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body)});
    const ToolRun found = runTool(quoted(server.url()));
    EXPECT_EQ(found.output,
              "address: " + server.url() + "\ndns: http://h/\nloginp: in.php\ncaption1: Title\n");
    EXPECT_EQ(found.exitStatus, 0);

    tarvenne::testing::RefusingPort refusing;
    const std::string address =
        "http://127.0.0.1:" + std::to_string(refusing.port()) + "/update.html";
    const ToolRun refused = runTool("--json " + address);
    EXPECT_EQ(refused.output,
              "{\"address\":\"" + address +
                  "\",\"error\":\"Socket Error # 10061\\r\\nConnection refused.\"}\n");
    EXPECT_EQ(refused.exitStatus, 1);
}

} // namespace
