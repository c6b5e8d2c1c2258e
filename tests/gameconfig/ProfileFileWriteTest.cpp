#include "gameconfig/ProfileFile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;
using gameconfig::ProfileEntry;
using gameconfig::ProfileFile;
using gameconfig::SetResult;

namespace {

struct WriteCase {
    const char* what;
    std::string before;
    std::string section;
    std::vector<std::pair<std::string, std::string>> entries;
    std::string after;
    SetResult result = SetResult::Changed;
};

const WriteCase kWriteCases[] = {
    {"empty file gets the section", "", "S", {{"a", "1"}, {"b", ""}}, "[S]\r\na=1\r\nb=\r\n"},
    {"existing key replaced, spelling kept", "[s]\r\n  KEY = old ; c\r\nx=1\r\n", "S", {{"key", "new"}},
     "[s]\r\nKEY=new\r\nx=1\r\n"},
    {"only first duplicate replaced", "[s]\nk=1\nk=2\n", "s", {{"k", "3"}}, "[s]\nk=3\nk=2\n"},
    {"only first section edited", "[s]\na=1\n[s]\nk=2\n", "s", {{"k", "3"}}, "[s]\na=1\nk=3\r\n[s]\nk=2\n"},
    {"missing key after last non-blank line", "[s]\r\na=1\r\n; note\r\n\r\n\r\n[t]\r\n", "s", {{"k", "v"}},
     "[s]\r\na=1\r\n; note\r\nk=v\r\n\r\n\r\n[t]\r\n"},
    {"missing key after bare header", "[s]\n[t]\n", "s", {{"k", "v"}}, "[s]\nk=v\r\n[t]\n"},
    {"missing key after unterminated last line", "[s]\r\na=1", "s", {{"k", "v"}}, "[s]\r\na=1\r\nk=v\r\n"},
    {"missing key after unterminated header", "[s]", "s", {{"k", "v"}}, "[s]\r\nk=v\r\n"},
    {"missing section appended", "[a]\nx=1\n\n", "s", {{"k", "v"}}, "[a]\nx=1\n\n[s]\r\nk=v\r\n"},
    {"break added before appended section", "[a]\nx=1", "s", {{"k", "v"}}, "[a]\nx=1\r\n[s]\r\nk=v\r\n"},
    {"CR-only file keeps its breaks", "[s]\rk=1\rz=2\r", "s", {{"k", "9"}, {"n", "5"}}, "[s]\rk=9\rz=2\rn=5\r\n"},
    {"UTF-8 mark kept", "\xEF\xBB\xBF[s]\r\nk=1\r\n", "s", {{"k", "2"}}, "\xEF\xBB\xBF[s]\r\nk=2\r\n"},
    {"UTF-8 mark alone", "\xEF\xBB\xBF", "s", {{"k", "v"}}, "\xEF\xBB\xBF[s]\r\nk=v\r\n"},
    {"NUL bytes elsewhere kept", "[a]\nx=\0\0\n[s]\nk=1\n"s, "s", {{"k", "2"}}, "[a]\nx=\0\0\n[s]\nk=2\n"s},
    {"value cut at CR", "[s]\nk=1\n", "s", {{"k", "a\rb"}}, "[s]\nk=a\n"},
    {"value cut at LF", "", "s", {{"k", "a\n[evil]\r\nx=1"}}, "[s]\r\nk=a\r\n"},
    {"value cut at NUL", "", "s", {{"k", "a\0b"s}}, "[s]\r\nk=a\r\n"},
    {"quotes written as given", "", "s", {{"k", "\"Ship\""}}, "[s]\r\nk=\"Ship\"\r\n"},
    {"later entry for a key wins", "", "s", {{"k", "1"}, {"K", "2"}}, "[s]\r\nk=2\r\n"},
    {"names trimmed", "", " s ", {{" k ", "v"}}, "[s]\r\nk=v\r\n"},
    {"same value leaves file untouched", "[s]\nk = v\n", "s", {{"k", "v"}}, "[s]\nk = v\n", SetResult::Unchanged},
    {"no entries", "[s]\n", "s", {}, "[s]\n", SetResult::Unchanged},
    {"empty section name", "", "  ", {{"k", "v"}}, "", SetResult::InvalidName},
    {"section name with break", "", "a\nb", {{"k", "v"}}, "", SetResult::InvalidName},
    {"key with equals", "", "s", {{"a=b", "v"}}, "", SetResult::InvalidName},
    {"key like a header", "", "s", {{"[k", "v"}}, "", SetResult::InvalidName},
    {"key with NUL", "", "s", {{"k\0x"s, "v"}}, "", SetResult::InvalidName},
    {"empty key", "[s]\n", "s", {{"a", "1"}, {" ", "v"}}, "[s]\n", SetResult::InvalidName},
    {"UTF-16 file refused", "\xFF\xFE[\0s\0]\0"s, "s", {{"k", "v"}}, "\xFF\xFE[\0s\0]\0"s,
     SetResult::UnsupportedFile},
};

class ProfileWriteTest : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriteTest, EditsOnlyWhatItMust) {
    const WriteCase& c = GetParam();
    std::vector<ProfileEntry> entries;
    for (const auto& [key, value] : c.entries) entries.push_back({key, value});
    ProfileFile file(c.before);
    EXPECT_EQ(file.Set(c.section, entries), c.result) << c.what;
    EXPECT_EQ(file.Bytes(), c.result == SetResult::Changed ? c.after : c.before) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWriteTest, testing::ValuesIn(kWriteCases));

TEST(ProfileWriteTest, WrittenValuesReadBack) {
    ProfileFile file("[s]\r\nk1=old\r\n[t]\r\nk1=other\r\n");
    const std::string long100(100, 'q');
    const ProfileEntry entries[] = {{"k1", "new"}, {"k2", "\"quoted\""}, {"k3", long100}};
    ASSERT_EQ(file.Set("s", entries), SetResult::Changed);
    EXPECT_EQ(file.Get("s", "k1"), "new");
    EXPECT_EQ(file.Get("s", "k2"), "\"quoted\"");
    EXPECT_EQ(file.Get("s", "k3", gameconfig::Quotes::Keep, 1000), long100);
    EXPECT_EQ(file.Get("t", "k1"), "other");
}

}  // namespace
