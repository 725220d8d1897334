#include "base/application_title.h"
#include "base/launcher_path.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace tarvenne {
namespace {

// The test program stands in for the launcher: its own file gives the title.
TEST(LauncherFilePath, IsTheRunningProgramsFileAndGivesItsTitle) {
    const std::u16string path = launcherFilePath();
    EXPECT_TRUE(std::filesystem::path(path).is_absolute());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(path)));
    EXPECT_EQ(applicationTitle(path), u"base_tests");
}

} // namespace
} // namespace tarvenne
