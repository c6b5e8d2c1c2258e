// Our profile engine by the rules of the platform's private-profile functions.
#include "gameconfig/ProfileFile.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;
using gameconfig::ProfileEntry;
using gameconfig::ProfileFile;
using gameconfig::Quotes;
using gameconfig::SetResult;

namespace {

struct ReadCase {
    const char* what;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;
    Quotes quotes = Quotes::Keep;
    std::string defaultValue = "";
    std::size_t buffer = gameconfig::kReadBufferSize;
};

const std::string k70(70, 'x');

const ReadCase kReadCases[] = {
    {"CRLF lines", "[s]\r\na=1\r\nk=v\r\n", "s", "k", "v"},
    {"LF lines", "[s]\nk=v\n", "s", "k", "v"},
    {"CR lines", "[s]\rk=v\r", "s", "k", "v"},
    {"mixed line ends", "[o]\rx=1\n[s]\r\nj=2\rk=v\n", "s", "k", "v"},
    {"last line without break", "[s]\r\nk=v", "s", "k", "v"},
    {"blank lines ignored", "\r\n\r\n[s]\r\n\r\n   \r\nk=v\r\n", "s", "k", "v"},
    {"junk after header", "[s] junk\r\nk=v\r\n", "s", "k", "v"},
    {"header runs to last bracket", "[t]x]\r\nk=v\r\n", "t]x", "k", "v"},
    {"header name trimmed", "  [  s  ]  \r\nk=v\r\n", "s", "k", "v"},
    {"open bracket line is no header", "[s]\r\n[u\r\nk=v\r\n", "s", "k", "v"},
    {"open bracket line section absent", "[s]\r\n[u\r\nk=v\r\n", "u", "k", ""},
    {"blanks around key and value", "[s]\r\n  key  =   a  b   \r\n", "s", "key", "a  b"},
    {"tab and control blanks trimmed", "[s]\r\n\tkey\x0B=\x0C v \x1A\r\n", "s", "key", "v"},
    {"split at first equals", "[s]\r\nk=a=b\r\n", "s", "k", "a=b"},
    {"line without equals is no key", "[s]\r\nk\r\n", "s", "k", "dflt", Quotes::Keep, "dflt"},
    {"no inline comments", "[s]\r\nk=v ; note\r\n", "s", "k", "v ; note"},
    {"semicolon line is a key", "[s]\r\n;k=c\r\n", "s", ";k", "c"},
    {"hash means nothing", "[s]\r\n#k=c\r\n", "s", "#k", "c"},
    {"section case", "[MUL_skirmaker]\r\nk=v\r\n", "mul_SKIRMAKER", "k", "v"},
    {"key case", "[s]\r\nSHIP1=v\r\n", "s", "ship1", "v"},
    {"blanks around asked names", "[s]\r\nk=v\r\n", "  s ", "\tk ", "v"},
    {"inner blanks count", "[s]\r\nmy  key=v\r\n", "s", "my key", ""},
    {"first duplicate key wins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", "1"},
    {"only first section searched", "[s]\r\na=1\r\n[S]\r\nk=2\r\n", "s", "k", ""},
    {"key of another section", "[a]\r\nk=1\r\n[s]\r\nj=2\r\n", "s", "k", ""},
    {"keys before any section", "k=1\r\n[s]\r\n", "s", "k", ""},
    {"quotes kept", "[s]\r\nk=\"val\"\r\n", "s", "k", "\"val\""},
    {"double quotes stripped", "[s]\r\nk=\"val\"\r\n", "s", "k", "val", Quotes::Strip},
    {"single quotes stripped", "[s]\r\nk='val'\r\n", "s", "k", "val", Quotes::Strip},
    {"empty quotes", "[s]\r\nk=\"\"\r\n", "s", "k", "", Quotes::Strip},
    {"inner quote kept", "[s]\r\nk=\"a\"b\"\r\n", "s", "k", "a\"b", Quotes::Strip},
    {"blanks inside quotes kept", "[s]\r\nk=\" v \"\r\n", "s", "k", " v ", Quotes::Strip},
    {"mixed quotes stay", "[s]\r\nk=\"v'\r\n", "s", "k", "\"v'", Quotes::Strip},
    {"lone quote stays", "[s]\r\nk=\"\r\n", "s", "k", "\"", Quotes::Strip},
    {"open quote stays", "[s]\r\nk=\"v\r\n", "s", "k", "\"v", Quotes::Strip},
    {"long value cut to 63", "[s]\r\nk=" + k70 + "\r\n", "s", "k", k70.substr(0, 63)},
    {"small buffer", "[s]\r\nk=value\r\n", "s", "k", "val", Quotes::Keep, "", 4},
    {"zero buffer", "[s]\r\nk=value\r\n", "s", "k", "", Quotes::Keep, "", 0},
    {"empty value is not the default", "[s]\r\nk=\r\n", "s", "k", "", Quotes::Keep, "dflt"},
    {"blank value is not the default", "[s]\r\nk=   \r\n", "s", "k", "", Quotes::Keep, "dflt"},
    {"missing key gives default", "[s]\r\n", "s", "k", "  d", Quotes::Keep, "  d   "},
    {"missing section gives default", "", "s", "k", "d", Quotes::Keep, "d"},
    {"NUL ends value", "[s]\r\nk=ab\0cd\r\n"s, "s", "k", "ab"},
    {"NUL ends key", "[s]\r\nk\0x=v\r\n"s, "s", "k", "v"},
    {"UTF-8 mark skipped", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", "v"},
};

class ProfileReadTest : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReadTest, GivesWhatWindowsGives) {
    const ReadCase& c = GetParam();
    const ProfileFile file(c.file);
    EXPECT_EQ(file.Get(c.section, c.key, c.quotes, c.buffer, c.defaultValue), c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Cases, ProfileReadTest, testing::ValuesIn(kReadCases));

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
    {"UTF-16 without its mark refused", "[\0s\0]\0\r\0\n\0"s, "s", {{"k", "v"}}, "", SetResult::UnsupportedFile},
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

}  // namespace
