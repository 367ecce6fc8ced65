// The platform seam on Linux: directory tests and creation, and the path
// separator the Linux library splits project paths at.
#include <gtest/gtest.h>

#include <string>

#include "design/platform.h"
#include "tests/test_support.h"

namespace {

TEST(Platform, CreatesDirectoriesAndTellsThemFromFiles) {
    const std::string dir = skarvel_test::ScratchDir();
    const std::string made = dir + "work_tmp";
    EXPECT_FALSE(platform::PathExists(made.c_str()));
    EXPECT_FALSE(platform::IsDirectory(made.c_str()));

    EXPECT_EQ(platform::MakeDirectory(made.c_str(), 0777), 0);
    EXPECT_TRUE(platform::PathExists(made.c_str()));
    EXPECT_TRUE(platform::IsDirectory(made.c_str()));
    EXPECT_NE(platform::MakeDirectory(made.c_str(), 0777), 0) << "an existing directory";

    const std::string file = dir + "plain.txt";
    skarvel_test::WriteFile(file, "x");
    EXPECT_TRUE(platform::PathExists(file.c_str()));
    EXPECT_FALSE(platform::IsDirectory(file.c_str()));
    EXPECT_NE(platform::MakeDirectory((dir + "missing/child").c_str(), 0777), 0);
}

TEST(Platform, NullPathsAreNeitherFoundNorCreated) {
    EXPECT_FALSE(platform::PathExists(nullptr));
    EXPECT_FALSE(platform::IsDirectory(nullptr));
    EXPECT_NE(platform::MakeDirectory(nullptr, 0777), 0);
}

TEST(Platform, LinuxPathsSplitAtTheLastSlashOnly) {
    EXPECT_EQ(platform::LastSeparator("/d/e/p.prj"), 4u);
    EXPECT_EQ(platform::LastSeparator("/p.prj"), 0u);
    EXPECT_EQ(platform::LastSeparator("p.prj"), std::string::npos);
    EXPECT_EQ(platform::LastSeparator(""), std::string::npos);
    // A backslash is an ordinary character of a Linux file name.
    EXPECT_EQ(platform::LastSeparator("/d/a\\b.prj"), 2u);
}

}  // namespace
