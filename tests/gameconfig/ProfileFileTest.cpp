// Our profile engine where the differential test cannot compare it with the
// platform: the caller's buffer, default and names, Wine's deviations, the bytes written.
#include "gameconfig/ProfileFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::literals;
using gameconfig::ProfileFile;
using gameconfig::Quotes;
using gameconfig::SetResult;

namespace {

TEST(ProfileFileTest, ReadsAsThePlatformDoes) {
    const std::string k63(63, 'x');
    const struct {
        std::string file, section, key, expected;
        Quotes quotes = Quotes::Keep;
        std::string defaultValue = "";
        std::size_t buffer = gameconfig::kReadBufferSize;
    } cases[] = {
        {"[s]\r\n\tkey\x0B=\x0C v \x1A\r\n", "s", "key", "v"},  // control characters are blanks
        {"[s]\r\nk=v\r\n", "  s ", "\tk ", "v"},
        {"[s]\r\nk\r\nk=v\r\n", "s", "k", "v"},  // a line without '=' is no key
        {"k=1\r\n[s]\r\n", "s", "k", ""},
        {"[s]\r\nk\0x=v\r\n"s, "s", "k", "v"},
        {"[s]\r\nk=\"val\"\r\n", "s", "k", "\"val\""},
        {"[s]\r\nk=" + k63 + "yz\r\n", "s", "k", k63},
        {"[s]\r\nk=\"" + k63 + "\"\r\n", "s", "k", k63, Quotes::Strip},
        {"[s]\r\nk=value\r\n", "s", "k", "val", Quotes::Keep, "", 4},
        {"[s]\r\nk=value\r\n", "s", "k", "", Quotes::Keep, "", 0},
        {"[s]\r\nk=\r\n", "s", "k", "", Quotes::Keep, "dflt"},
        {"[s]\r\n", "s", "k", "  d", Quotes::Keep, "  d   "},
        {"", "s", "k", "d", Quotes::Keep, "d"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ProfileFile(c.file).Get(c.section, c.key, c.quotes, c.buffer, c.defaultValue), c.expected) << c.file;
}

TEST(ProfileFileTest, AnUpdateEditsOnlyWhatItMust) {
    const struct {
        std::string before, section;
        std::vector<gameconfig::ProfileEntry> entries;
        std::string after;
        SetResult result = SetResult::Changed;
    } cases[] = {
        {"", "S", {{"a", "1"}, {"b", ""}}, "[S]\r\na=1\r\nb=\r\n"},
        {"[s]\r\n  KEY = old ; c\r\nx=1\r\n", "S", {{"key", "new"}}, "[s]\r\nKEY=new\r\nx=1\r\n"},
        {"[s]\nk=1\nk=2\n", "s", {{"k", "3"}}, "[s]\nk=3\nk=2\n"},
        {"[s]\na=1\n[s]\nk=2\n", "s", {{"k", "3"}}, "[s]\na=1\nk=3\r\n[s]\nk=2\n"},
        {"[s]\r\na=1\r\n; note\r\n\r\n[t]\r\n", "s", {{"k", "v"}}, "[s]\r\na=1\r\n; note\r\nk=v\r\n\r\n[t]\r\n"},
        {"[s]", "s", {{"k", "v"}}, "[s]\r\nk=v\r\n"},
        {"[a]\nx=1", "s", {{"k", "v"}}, "[a]\nx=1\r\n[s]\r\nk=v\r\n"},
        {"[s]\rk=1\rz=2\r", "s", {{"k", "9"}, {"n", "5"}}, "[s]\rk=9\rz=2\rn=5\r\n"},
        {"\xEF\xBB\xBF[a]\nx=\0\n[s]\nk=1\n"s, "s", {{"k", "2"}}, "\xEF\xBB\xBF[a]\nx=\0\n[s]\nk=2\n"s},
        // Values are cut at a break or NUL; a later entry for a key wins.
        {"", "s", {{"k", "1"}, {"j", "\"b\0c"sv}, {"K", "a\n[evil]\r\nx=1"}}, "[s]\r\nk=a\r\nj=\"b\r\n"},
        {"[s]\nk = v\n", "s", {{"k", "v"}}, "", SetResult::Unchanged},
        {"[s]\n", "s", {{"a", "1"}, {"a=b", "v"}}, "", SetResult::InvalidName},
        {"\xFF\xFE[\0s\0]\0"s, "s", {{"k", "v"}}, "", SetResult::UnsupportedFile},
        {"[\0s\0]\0\r\0\n\0"s, "s", {{"k", "v"}}, "", SetResult::UnsupportedFile},
    };
    for (const auto& c : cases) {
        ProfileFile file(c.before);
        EXPECT_EQ(file.Set(c.section, c.entries), c.result) << c.before;
        EXPECT_EQ(file.Bytes(), c.result == SetResult::Changed ? c.after : c.before) << c.before;
    }
}

}  // namespace
