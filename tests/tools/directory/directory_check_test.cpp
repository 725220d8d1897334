// The operator tool's check mode: a table of documents and the problems it reports for each,
// with their places, and its exit statuses.
#include "platform_expectations.h"
#include "scripted_server.h"
#include "tool_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace {

using namespace std::string_view_literals;
using nlohmann::json;
using tarvenne::testing::DocumentFolder;
using tarvenne::testing::quoted;
using tarvenne::testing::runTool;
using tarvenne::testing::ToolRun;

struct Expected {
    std::string severity;
    std::optional<int> line; // nothing for a problem of the reply or file as a whole
    std::optional<int> column;
    std::optional<int> record;
    std::string phrase; // a part of the message that names the problem
};

// The problems of a --json check, each compared with the expectation at the same place.
void expectProblems(const json& report, const std::vector<Expected>& expected) {
    const json& problems = report.at("problems");
    ASSERT_EQ(problems.size(), expected.size()) << report.dump(2);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const json& problem = problems[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(problem.dump());
        EXPECT_EQ(problem.at("severity"), e.severity);
        EXPECT_EQ(problem.at("line"), e.line ? json(*e.line) : json(nullptr));
        EXPECT_EQ(problem.at("column"), e.column ? json(*e.column) : json(nullptr));
        EXPECT_EQ(problem.at("record"), e.record ? json(*e.record) : json(nullptr));
        EXPECT_NE(problem.at("message").get<std::string>().find(e.phrase), std::string::npos);
    }
}

TEST(DirectoryCheck, ListsEveryProblemWithItsPlace) {
    struct Case {
        std::string_view name;
        std::string_view bytes;
        std::string charset;
        std::vector<Expected> problems;
        int exitStatus;
    };
    const Case cases[] = {
        {"clean", "Other|http://o/|a.php|O^Tarvenne|https://h/|in.php|Title", "", {}, 0},
        {"escapes on two lines",
         "Tarvenne|https://h/|in.php|A%G1\n^Other|http://o/|a.php|100%",
         "",
         {{"error", 1, 29, 1,
           "\"%G1\" is not an escape of two hexadecimal digits: the launcher "
           "fails at position 29"},
          {"warning", 1, 32, 1, "field 4 holds the control character U+000A (a line break)"},
          {"error", 2, 27, 2, "the escape \"%\" is cut off by the end of the document"}},
         1},
        {"fewer than four fields",
         "Tarvenne|http://h/|in.php^Other|x",
         "",
         {{"error", 1, 1, 1, "the record has 3 fields, fewer than four"},
          {"warning", 1, 27, 2, "the record has 2 fields, fewer than four"}},
         1},
        {"two records of the game",
         "Tarvenne|https://h/|in.php|A^Tarvenne|http://g/|in.php|B",
         "",
         {{"warning", 1, 30, 2, "the launcher takes the first one, record 1"}},
         4},
        {"letter case and white space",
         "tarvenne|http://h/|in.php|A^ Tarvenne |http://h/|in.php|B",
         "",
         {{"warning", 1, 1, 1, "the record is named \"tarvenne\""},
          {"error", 1, 1, std::nullopt, "no record is named Tarvenne"},
          {"warning", 1, 29, 2, "the record is named \" Tarvenne \""}},
         1},
        {"line break before the name",
         "Other|http://o/|a.php|O\n^\nTarvenne|http://h/|in.php|T",
         "",
         {{"error", 1, 1, std::nullopt, "no record is named Tarvenne"},
          {"warning", 1, 24, 1, "field 4 holds the control character U+000A"},
          {"warning", 2, 2, 2, "the record is named \"\\nTarvenne\""}},
         1},
        {"byte-order mark before the game",
         "\xEF\xBB\xBFTarvenne|http://h/|in.php|T",
         "",
         {{"warning", 1, 1, std::nullopt, "the bytes look like UTF-8"},
          {"error", 1, 1, 1,
           "byte-order mark, which the launcher takes as part of the first "
           "record's name: it misses this record of Tarvenne"},
          {"error", 1, 1, std::nullopt, "no record is named Tarvenne"}},
         1},
        {"byte-order mark before another record",
         "\xEF\xBB\xBFOther|http://o/|a.php|O^Tarvenne|https://h/|in.php|T",
         "UTF-8",
         {{"warning", 1, 1, 1, "byte-order mark"}},
         4},
        {"control character",
         "Tarvenne|https://h/|in.php|Ti\x01tle",
         "",
         {{"warning", 1, 30, 1, "field 4 holds the control character U+0001"}},
         4},
        {"site address without slash",
         "Tarvenne|https://h|in.php|T",
         "",
         {{"error", 1, 20, 1, "join to \"https://hin.php\": the login page runs into the host"}},
         1},
        {"site address without scheme",
         "Tarvenne|h/|in.php|T",
         "",
         {{"warning", 1, 10, 1,
           "join to \"h/in.php\", which names no scheme: the launcher opens \"http://h/in.php\""},
          {"warning", 1, 10, 1, "the login page \"http://h/in.php\" is plain http://"}},
         4},
        {"host and port without scheme",
         "Tarvenne|localhost:8889/|in.php|T",
         "",
         {{"warning", 1, 10, 1, "the launcher opens \"http://localhost:8889/in.php\""},
          {"warning", 1, 10, 1, "is plain http://"}},
         4},
        {"path without a host",
         "Tarvenne|/|login.php|T",
         "",
         {{"error", 1, 10, 1,
           "join to \"/login.php\", which names no host: the launcher shows \"The login page's "
           "address \\\"/login.php\\\" is not a web address.\" in its error box"}},
         1},
        {"another scheme",
         "Tarvenne|ftp://h/|in.php|T",
         "",
         {{"error", 1, 10, 1, "which does not start with http:// or https://"}},
         1},
        {"plus sign in the login page",
         "Tarvenne|http://h/|log+in.php|T",
         "",
         {{"error", 1, 23, 1, "holds white space or a control character"}},
         1},
        {"address of another record",
         "Other|/|a.php|O^Tarvenne|https://h/|in.php|T",
         "",
         {{"warning", 1, 7, 1, "join to \"/a.php\", which names no host"}},
         4},
        {"UTF-8 without charset",
         "Tarvenne|https://h/|in.php|Caf\xC3\xA9",
         "",
         {{"warning", 1, 31, std::nullopt,
           "the bytes look like UTF-8, but the reply declares no charset (code page 28591): "
           "the launcher reads \"\xC3\xA9\" as \"\xC3\x83\xC2\xA9\""}},
         4},
        {"UTF-8 declared", "Tarvenne|https://h/|in.php|Caf\xC3\xA9", "UTF-8", {}, 0},
        {"UTF-8 declared, Latin-1 written",
         "Tarvenne|https://h/|in.php|Caf\xE9",
         "utf-8",
         {{"warning", 1, 31, std::nullopt, "the reply declares UTF-8, but the bytes here are not"}},
         4},
        {"unknown charset",
         "Tarvenne|https://h/|in.php|T",
         "KOI8-U",
         {{"warning", 1, 1, std::nullopt, "\"KOI8-U\", which the launcher does not know"}},
         4},
        {"alias of a known charset",
         "Tarvenne|https://h/|in.php|T",
         "cp1252",
         {{"warning", 1, 1, std::nullopt,
           "\"cp1252\", which the launcher does not know: it reads the body as ISO-8859-1; "
           "declare \"charset=windows-1252\""}},
         4},
        {"UTF-8 misspelt",
         "Tarvenne|https://h/|in.php|T",
         "utf8",
         {{"warning", 1, 1, std::nullopt, "declare \"charset=UTF-8\""}},
         4},
        {"Latin 9",
         "Tarvenne|https://h/|in.php|T",
         "ISO-8859-15",
         {{"warning", 1, 1, std::nullopt,
           "declare \"charset=windows-1252\", the name that it knows for this charset, after "
           "saving the document in windows-1252 if it holds \xE2\x82\xAC"}},
         4},
        {"windows-1252 without charset",
         "Tarvenne|https://h/|in.php|Caf\xE9 \x96 Bar",
         "",
         {{"warning", 1, 33, std::nullopt,
           "the reply declares no charset, so the launcher reads the bytes as ISO-8859-1, where "
           "the byte 0x96 is \"<U+0096>\"; the bytes fit windows-1252, where it is "
           "\"\xE2\x80\x93\": declare \"charset=windows-1252\""}},
         4},
        {"Latin 1 without charset", "Tarvenne|https://h/|in.php|Caf\xE9", "", {}, 0},
        {"byte-order mark before the game, UTF-8 declared",
         "\xEF\xBB\xBFTarvenne|http://h/|in.php|T",
         "UTF-8",
         {{"error", 1, 1, 1,
           "the document starts with a byte-order mark, which the launcher takes as part of the "
           "first record's name: it misses this record of Tarvenne"},
          {"error", 1, 1, std::nullopt, "no record is named Tarvenne"}},
         1},
        {"zero-width space in the name",
         "Other|http://o/|a.php|O^Tar\xE2\x80\x8Bvenne|http://h/|in.php|T",
         "UTF-8",
         {{"error", 1, 1, std::nullopt, "no record is named Tarvenne"},
          {"warning", 1, 28, 2,
           "1 character is not in the ANSI code page 1252, the first "
           "\"<U+200B>\": the launcher reads it as \"?\""},
          {"error", 1, 28, 2,
           "the record's name \"Tar<U+200B>venne\" holds the invisible character U+200B (a "
           "zero-width space), which the launcher reads as \"?\": the name is not "
           "\"Tarvenne\", so the launcher misses this record"}},
         1},
        {"zero-width space in a second record of the game",
         "Tarvenne|https://h/|in.php|T^\xE2\x80\x8BTarvenne|http://h/|in.php|T",
         "UTF-8",
         {{"warning", 1, 30, 2, "the ANSI code page 1252"},
          {"warning", 1, 30, 2, "the launcher misses this record"}},
         4},
        {"gzip-compressed file",
         "\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03\x0B\x49\x2C\x2A"sv,
         "",
         {{"error", std::nullopt, std::nullopt, std::nullopt,
           "the file is gzip-compressed data (it starts with the bytes 1F 8B): the launcher never "
           "decompresses anything"}},
         1},
        {"directory listing",
         "<!DOCTYPE HTML>\n<html><head><title>Index of /</title></head><body><a "
         "href=\"http://x/%s\">x</a></body></html>",
         "",
         {{"error", std::nullopt, std::nullopt, std::nullopt,
           "the body is an HTML page, \"Index of /\", not an update document: the launcher "
           "fails on it"}},
         1},
        {"script error before the document",
         "<br />\n<b>Warning</b>:  Undefined variable $x in <b>/srv/update.php</b><br />\n"
         "Tarvenne|http://h/|in.php|T",
         "",
         {{"error", std::nullopt, std::nullopt, std::nullopt,
           "the body is an HTML page, \"Warning\", not an update document: the launcher finds "
           "no record of Tarvenne in it"}},
         1},
        {"zero byte",
         "Tarvenne|https://h/|in.php|T\0^Other|a|b|c"sv,
         "",
         {{"warning", 1, 29, std::nullopt, "a zero character ends the document here"}},
         4},
        {"login page of the game over plain http",
         "Other|http://o/|a.php|O^Tarvenne|http://h/|in.php|T",
         "",
         {{"warning", 1, 34, 2,
           "the login page \"http://h/in.php\" is plain http://: a network attacker can replace "
           "the login page; serve it over https"}},
         4},
        {"signature record, left to a launcher built with a key",
         "Tarvenne|https://h/|in.php|T^~signature|MEUCIQ",
         "",
         {},
         0},
        {"empty", "", "", {{"error", 1, 1, std::nullopt, "no record is named Tarvenne"}}, 1},
        {"separators only",
         "|||^Tarvenne|https://h/|in.php|T",
         "",
         {{"error", 1, 1, 1, "the record holds field separators only"}},
         1},
    };
    const DocumentFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string charset = c.charset.empty() ? "" : " --charset " + c.charset;
        const ToolRun run = runTool("--check --json --file " +
                                    quoted(folder.write(std::string(c.name), c.bytes)) + charset);
        const json report = json::parse(run.output, nullptr, false);
        ASSERT_TRUE(report.is_object()) << run.output;
        expectProblems(report, c.problems);
        EXPECT_EQ(run.exitStatus, c.exitStatus);
    }
}

TEST(DirectoryCheck, ReportsWhatTheLauncherMakesOfTheDocument) {
    const DocumentFolder folder;
    const std::string path =
        folder.write("update.html", "Tarvenne|http://h/|in.php|A%G1\n^Other|http://o/|a.php|100%");
    const ToolRun plain = runTool("--check --file " + quoted(path));
    EXPECT_EQ(
        plain.output,
        "Checked " + path +
            " (no charset, ANSI code page 1252)\n"
            "line 1, column 10, record 1: warning: the login page \"http://h/in.php\" is plain "
            "http://: a network attacker can replace the login page; serve it over https\n"
            "line 1, column 28, record 1: error: \"%G1\" is not an escape of two hexadecimal "
            "digits: the launcher fails at position 28; write a percent sign as %25 or %%\n"
            "line 1, column 31, record 1: warning: field 4 holds the control character U+000A "
            "(a line break), which the launcher keeps as part of the field\n"
            "line 2, column 27, record 2: error: the escape \"%\" is cut off by the end of the "
            "document: the launcher fails at position 58; write a percent sign as %25 or %%\n"
            "The launcher fails with: Invalid URL encoded character (%G1) at position 28.\n"
            "2 errors, 2 warnings.\n");
    EXPECT_EQ(plain.exitStatus, 1);

    const ToolRun clean = runTool("--check --json --file " +
                                  quoted(folder.write("clean", "Tarvenne|https://h/|in.php|T")));
    const json report = json::parse(clean.output, nullptr, false);
    ASSERT_TRUE(report.is_object()) << clean.output;
    EXPECT_EQ(report.at("launcher"),
              json::parse(R"j({"record":{"dns":"https://h/","loginp":"in.php","caption1":"T"}})j"));
    EXPECT_EQ(report.at("errors"), 0);
    EXPECT_EQ(report.at("warnings"), 0);
    EXPECT_EQ(clean.exitStatus, 0);
}

// Over HTTP the check sees the charset that the reply declares.
TEST(DirectoryCheck, ComparesTheDeclaredCharsetWithTheBytes) {
    const std::string body = "Tarvenne|https://h/|in.php|Caf\xC3\xA9";
    tarvenne::testing::ScriptedServer server({tarvenne::testing::send(
        "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=windows-1252\r\nContent-Length: " +
        std::to_string(body.size()) + "\r\n\r\n" + body)});
    const ToolRun run = runTool("--check --json " + quoted(server.url()));
    const json report = json::parse(run.output, nullptr, false);
    ASSERT_TRUE(report.is_object()) << run.output;
    EXPECT_EQ(report.at("address"), server.url());
    EXPECT_EQ(report.at("charset"), "windows-1252");
    expectProblems(report, {{"warning", 1, 31, std::nullopt,
                             "the bytes look like UTF-8, but the reply declares the charset "
                             "\"windows-1252\" (code page 1252)"}});
    EXPECT_EQ(run.exitStatus, 4);
}

// A reply that is no update document, or none that the launcher takes: the cause, named in
// the one problem of the reply, and the launcher's outcome.
TEST(DirectoryCheck, NamesTheCauseOfAFailedOrUnusableReply) {
    struct Case {
        std::string_view name;
        std::string reply;
        std::string phrase;
        json launcher;
    };
    const std::string gzipBody = "\x1F\x8B\x08\x00\x00\x00\x00\x00\x00\x03";
    const Case cases[] = {
        {"redirect",
         "HTTP/1.1 301 Moved Permanently\r\nLocation: https://h.example/update.html\r\n"
         "Content-Length: 0\r\n\r\n",
         "the server redirects to \"https://h.example/update.html\" (HTTP/1.1 301 Moved "
         "Permanently): the launcher never follows a redirect; the launcher shows \"HTTP/1.1 301 "
         "Moved Permanently.\" in its error box",
         {{"error", "HTTP/1.1 301 Moved Permanently."}}},
        {"success with a Location",
         "HTTP/1.1 200 OK\r\nLocation: /elsewhere\r\nContent-Length: 4\r\n\r\nbody",
         "the reply carries the header \"Location: /elsewhere\", which makes the launcher take "
         "it as a redirect",
         {{"error", "HTTP/1.1 200 OK."}}},
        {"no acceptable variant",
         "HTTP/1.1 406 Not Acceptable\r\nContent-Length: 0\r\n\r\n",
         "as when Apache's MultiViews finds only a compressed update.html.gz",
         {{"error", "HTTP/1.1 406 Not Acceptable."}}},
        {"missing file",
         "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\n\r\n",
         "the server answers \"HTTP/1.1 404 Not Found\": the launcher shows \"HTTP/1.1 404 Not "
         "Found.\" in its error box and opens an empty login window",
         {{"error", "HTTP/1.1 404 Not Found."}}},
        {"compressed by its Content-Encoding",
         "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\nContent-Length: " +
             std::to_string(gzipBody.size()) + "\r\n\r\n" + gzipBody,
         "the reply is compressed (\"Content-Encoding: gzip\") although the launcher asks for "
         "\"Accept-Encoding: identity\"",
         {{"record", nullptr}}},
        {"compressed without saying so",
         "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(gzipBody.size()) + "\r\n\r\n" +
             gzipBody,
         "the body is gzip-compressed data (it starts with the bytes 1F 8B)",
         {{"record", nullptr}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        tarvenne::testing::ScriptedServer server({tarvenne::testing::send(c.reply)});
        const ToolRun run = runTool("--check --json " + quoted(server.url()));
        const json report = json::parse(run.output, nullptr, false);
        ASSERT_TRUE(report.is_object()) << run.output;
        expectProblems(report, {{"error", std::nullopt, std::nullopt, std::nullopt, c.phrase}});
        EXPECT_EQ(report.at("launcher"), c.launcher);
        EXPECT_EQ(run.exitStatus, 1);
    }
}

TEST(DirectoryCheck, ShowsWhereARedirectLeads) {
    tarvenne::testing::ScriptedServer server({tarvenne::testing::send(
        "HTTP/1.1 302 Found\r\nLocation: http://h.example/update.html/\r\n\r\n")});
    const ToolRun run = runTool("--check " + quoted(server.url()));
    EXPECT_EQ(run.output,
              "Checked " + server.url() +
                  " (no charset, ANSI code page 1252)\n"
                  "reply: error: the server redirects to \"http://h.example/update.html/\" "
                  "(HTTP/1.1 302 Found): the launcher never follows a redirect; the launcher "
                  "shows \"HTTP/1.1 302 Found.\" in its error box and opens an empty login "
                  "window; serve the document itself at this address, with status 200 (no "
                  "redirect to https://, to another path or to a name with \"/\" at its end)\n"
                  "The launcher fails with: HTTP/1.1 302 Found.\n"
                  "1 error, 0 warnings.\n");
    EXPECT_EQ(run.exitStatus, 1);
}

// Characters that the ANSI code page lacks reach the launcher as its default character.
TEST(DirectoryCheck, WarnsOfCharactersTheAnsiCodePageLacks) {
    if (!tarvenne::platform::localeChoosesAnsiCodePage())
        GTEST_SKIP() << "the ANSI code page is the system's here";
    const DocumentFolder folder;
    const std::string arguments =
        "--check --json --charset UTF-8 --file " +
        quoted(folder.write("chinese", "Tarvenne|https://h/|in.php|\xE4\xBD\xA0\xE5\xA5\xBD"));
    const ToolRun english = runTool(arguments, "en_US.UTF-8");
    expectProblems(
        json::parse(english.output),
        {{"warning", 1, 28, 1,
          "2 characters are not in the ANSI code page 1252, the first \"\xE4\xBD\xA0\""}});
    EXPECT_EQ(english.exitStatus, 4);
    const ToolRun chinese = runTool(arguments, "zh_CN.UTF-8");
    expectProblems(json::parse(chinese.output), {});
    EXPECT_EQ(chinese.exitStatus, 0);
}

} // namespace
