#include "gameconfig/InstallPath.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;

namespace {

struct InstallPathCase {
    const char* what;
    bool found;
    std::string stored;
    bool result;
    std::string path;
};

const InstallPathCase kCases[] = {
    {"no trailing backslash", true, "D:\\Games\\Voidwake\0"s, true, "D:\\Games\\Voidwake\\"},
    {"trailing backslash kept single", true, "D:\\Games\\Voidwake\\\0"s, true, "D:\\Games\\Voidwake\\"},
    {"empty value", true, "\0"s, true, "\\"},
    {"no data at all", true, "", true, "\\"},
    {"no terminator stored", true, "C:\\Void", true, "C:\\Void\\"},
    {"text ends at first NUL", true, "C:\\A\0junk\0"s, true, "C:\\A\\"},
    {"lookup failed", false, "C:\\Ignored", false, "unchanged"},
};

TEST(InstallPathTest, FollowsTheRegistryRules) {
    for (const InstallPathCase& c : kCases) {
        std::string path = "unchanged";
        EXPECT_EQ(gameconfig::AdoptInstallPath(c.found, c.stored, path), c.result) << c.what;
        EXPECT_EQ(path, c.path) << c.what;
    }
}

}  // namespace
