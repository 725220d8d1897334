#include "text/system_code_page.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <string>

namespace tarvenne::text {
namespace {

// Sets the locale variables for one test and puts the previous values back afterwards.
class LocaleEnvironment : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : names) {
            if (const char* value = std::getenv(name))
                saved_[name] = value;
            unsetenv(name);
        }
    }
    void TearDown() override {
        for (const char* name : names) {
            const auto found = saved_.find(name);
            if (found == saved_.end())
                unsetenv(name);
            else
                setenv(name, found->second.c_str(), 1);
        }
    }
    static constexpr const char* names[] = {"LC_ALL", "LC_CTYPE", "LANG"};

private:
    std::map<std::string, std::string> saved_;
};

TEST_F(LocaleEnvironment, SystemCodePageTakesTheFirstSetVariable) {
    setenv("LANG", "ru_RU.UTF-8", 1);
    EXPECT_EQ(systemAnsiCodePage(), 1251);
    setenv("LC_CTYPE", "", 1);
    EXPECT_EQ(systemAnsiCodePage(), 1251);
    setenv("LC_CTYPE", "ja_JP.UTF-8", 1);
    EXPECT_EQ(systemAnsiCodePage(), 932);
    setenv("LC_ALL", "zh_CN.UTF-8", 1);
    EXPECT_EQ(systemAnsiCodePage(), 936);
}

TEST_F(LocaleEnvironment, SystemCodePageWithoutVariablesIsWindowsLatin1) {
    EXPECT_EQ(systemAnsiCodePage(), 1252);
}

} // namespace
} // namespace tarvenne::text
