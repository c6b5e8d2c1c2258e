#include "gameconfig/ProfileFile.h"

#include <gtest/gtest.h>

#include <string>

using namespace std::string_literals;
using gameconfig::ProfileFile;
using gameconfig::Quotes;

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

TEST(ProfileEntriesTest, ListsEveryEntryInFileOrder) {
    const ProfileFile file("k0=x\r\n[a]\r\nk1=1\r\nnote\r\n[ B ]\r\n K2 = 2\r\n[a]\r\nk1=3\r\n");
    const auto entries = file.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].section + "/" + entries[0].key, "a/k1");
    EXPECT_EQ(entries[1].section + "/" + entries[1].key, "B/K2");
    EXPECT_EQ(entries[2].section + "/" + entries[2].key, "a/k1");
}

TEST(ProfileEditableTest, RefusesUtf16AndNonText) {
    EXPECT_TRUE(ProfileFile("[s]\r\nk=v\r\n").IsEditable());
    EXPECT_TRUE(ProfileFile("[s]\r\nk=a\0b\r\n"s).IsEditable());
    EXPECT_TRUE(ProfileFile("\xEF\xBB\xBF[s]\r\n").IsEditable());
    EXPECT_FALSE(ProfileFile("\xFF\xFE[\0s\0]\0"s).IsEditable());
    EXPECT_FALSE(ProfileFile("\xFE\xFF\0[\0s\0]"s).IsEditable());
    EXPECT_FALSE(ProfileFile("[\0s\0]\0\r\0\n\0"s).IsEditable());
}

}  // namespace
