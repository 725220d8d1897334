#include "header_lines.h"
#include "http/cookie_store.h"
#include "http/reply_rules.h"

#include <gtest/gtest.h>

namespace tarvenne::http {
namespace {

TEST(Charset, ParameterOfTheContentType) {
    struct Case {
        const char* contentType;
        const char* charset;
    };
    const Case cases[] = {
        {"text/html; charset=gbk", "gbk"},
        {"text/html;CHARSET=Big5", "Big5"},
        {"text/html ; q=1 ; charset = utf-8 ; x=y", "utf-8"},
        {"text/html; charset=\"UTF-8\"", "UTF-8"},
        {"text/html; charset=\"a\\\"b\\\\c\"; x=1", "a\"b\\c"},
        {"text/html; name=\"x; charset=wrong\"; charset=right", "right"},
        {"text/html; charset=utf-8 trailing", "utf-8"},
        {"text/html; charset=utf-8/x", "utf-8"},
        {"text/html; charset=ISO-8859-1,x", "ISO-8859-1"},
        {"text/html; charset=a=b", "a"},
        {"text/html; charset=x; charset=y", "x"},
        {"text/html; charset=", ""},
        {"text/html; flag; charset=koi8-r", "koi8-r"},
        {"text/html; xcharset=gbk", ""},
        {"text/html", ""},
        {"charset=gbk", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.contentType);
        EXPECT_EQ(charsetOf(c.contentType), c.charset);
    }
}

TEST(Judging, RulesInOrder) {
    struct Case {
        int code;
        std::initializer_list<const char*> headers;
        Verdict verdict;
    };
    const Case cases[] = {
        {200, {}, Verdict::Success},
        {299, {}, Verdict::Success},
        {204, {}, Verdict::NoContent},
        {201, {"Location: /x"}, Verdict::Success},
        {200, {"Location: /x"}, Verdict::Redirect},
        {204, {"location: /x"}, Verdict::Redirect},
        {404, {"Location: /x"}, Verdict::Redirect},
        {200, {"Location:"}, Verdict::Success},
        {300, {}, Verdict::Redirect},
        {399, {}, Verdict::Redirect},
        {304, {}, Verdict::NoBodyExpected},
        {304, {"Location: /x"}, Verdict::Redirect},
        {101, {}, Verdict::NoBodyExpected},
        {199, {}, Verdict::NoBodyExpected},
        {401, {}, Verdict::NoCredentials},
        {407, {}, Verdict::NoCredentials},
        {100, {}, Verdict::Failure},
        {400, {}, Verdict::Failure},
        {599, {}, Verdict::Failure},
        {600, {}, Verdict::Failure},
        {99, {}, Verdict::Failure},
        {-1, {}, Verdict::Failure},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_EQ(judge(c.code, headersOf(c.headers)), c.verdict);
    }
}

TEST(ConnectionRule, StaysOpenUnlessConnectionOrProxyConnectionSaysClose) {
    struct Case {
        std::initializer_list<const char*> headers;
        bool keep;
    };
    const Case cases[] = {
        {{}, true},
        {{"Connection: keep-alive"}, true},
        {{"Connection: close"}, false},
        {{"connection:  CLOSE \t"}, false},
        {{"Proxy-Connection: Close"}, false},
        {{"Connection: close, upgrade"}, true},
        {{"Connection: keep-alive", "Connection: close"}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.headers.size() ? *c.headers.begin() : "no headers");
        EXPECT_EQ(allowsKeepingOpen(headersOf(c.headers)), c.keep);
    }
}

TEST(CookieStore, TakesSetCookieLinesUnlessSetCookie2NamesTheSameCookie) {
    CookieStore store;
    store.takeFrom(headersOf({"Set-Cookie: a=1; Path=/; Expires=Wed, 09 Jun 2021 10:18:14 GMT",
                              "set-cookie: b = 2 ", "Set-cookie: both=old", "Set-Cookie: novalue",
                              "Set-Cookie: =anonymous",
                              "Set-Cookie2: both=new; Version=1, c=\"3,4\"; Version=1"}),
                   "http://h/u");
    EXPECT_EQ(store.cookies(), (std::vector<Cookie>{{"a", "1", "http://h/u"},
                                                    {"b", "2", "http://h/u"},
                                                    {"both", "new", "http://h/u"},
                                                    {"c", "\"3,4\"", "http://h/u"}}));

    // A later head replaces a cookie of the same name and origin; the drop rule holds per head.
    store.takeFrom(headersOf({"Set-Cookie: a=9", "Set-Cookie: both=again"}), "http://h/u");
    EXPECT_EQ(store.cookies()[0], (Cookie{"a", "9", "http://h/u"}));
    EXPECT_EQ(store.cookies()[2], (Cookie{"both", "again", "http://h/u"}));
    EXPECT_EQ(store.cookies().size(), 4u);

    // Within one head too, and for each origin apart.
    store.takeFrom(headersOf({"Set-Cookie: d=1", "Set-Cookie2: e=1, e=2", "Set-Cookie: d=2"}),
                   "http://h/u");
    store.takeFrom(headersOf({"Set-Cookie: a=elsewhere"}), "http://other/");
    const std::vector<Cookie> all = store.cookies();
    EXPECT_EQ(std::vector(all.begin() + 4, all.end()),
              (std::vector<Cookie>{{"d", "2", "http://h/u"},
                                   {"e", "2", "http://h/u"},
                                   {"a", "elsewhere", "http://other/"}}));
    EXPECT_EQ(store.cookies()[0], (Cookie{"a", "9", "http://h/u"}));
}

} // namespace
} // namespace tarvenne::http
