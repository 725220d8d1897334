#include "base/utf.h"
#include "directory/login_address.h"

#include <gtest/gtest.h>

namespace tarvenne::directory {
namespace {

// As an address bar reads what is typed: without a scheme, or with a host and port in its
// place, an address is an http:// address.
TEST(LoginAddress, IsReadAsAnAddressBarReadsIt) {
    struct Case {
        std::u16string_view written;
        std::u16string_view opened;
        bool web;
        bool plainHttp;
        bool namesHost;
    };
    const Case cases[] = {
        {u"http://h/in.php", u"http://h/in.php", true, true, true},
        {u"HTTPS://h/in.php", u"HTTPS://h/in.php", true, false, true},
        {u"h/in.php", u"http://h/in.php", true, true, true},
        {u"login.html", u"http://login.html", true, true, true},
        {u"127.0.0.1:8889/login.html", u"http://127.0.0.1:8889/login.html", true, true, true},
        {u"localhost:8889/login.html", u"http://localhost:8889/login.html", true, true, true},
        {u"user@h:80/in.php", u"http://user@h:80/in.php", true, true, true},
        {u"/login.php", u"http:///login.php", true, true, false},
        {u"http:///login.php", u"http:///login.php", true, true, false},
        {u"http://:80/login.php", u"http://:80/login.php", true, true, false},
        {u"http:h/in.php", u"http:h/in.php", true, true, false},
        {u"ftp://h/in.php", u"ftp://h/in.php", false, false, true},
        {u"localhost:/in.php", u"localhost:/in.php", false, false, false},
        {u"localhost:99999/in.php", u"localhost:99999/in.php", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(toUtf8(c.written));
        const LoginAddress read = readLoginAddress(c.written);
        EXPECT_EQ(read.address, c.opened);
        EXPECT_EQ(read.added, c.opened.size() - c.written.size());
        EXPECT_EQ(read.web, c.web);
        EXPECT_EQ(read.plainHttp, c.plainHttp);
        EXPECT_EQ(read.namesHost, c.namesHost);
    }
}

} // namespace
} // namespace tarvenne::directory
