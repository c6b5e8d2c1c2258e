// Our profile engine against the platform's GetPrivateProfileStringA on a corpus of files: every read must
// match, and after we write the mission's keys the platform reads them back and every other key as before.
#include "gameconfig/ProfileFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;
namespace fs = std::filesystem;
using gameconfig::ProfileFile;

namespace {

constexpr char kSection[] = "Mul_Skirmaker";

// A hand-made file for each rule of the engine: its name and bytes.
const std::pair<const char*, std::string> kFiles[] = {
    {"crlf", "[Mul_Skirmaker]\r\nsetup=A\r\nship1=B\r\n"}, {"lf", "[Mul_Skirmaker]\nsetup=A\nship1=B\n"},
    {"cr", "[Mul_Skirmaker]\rsetup=A\rship1=B\r"}, {"no final break", "[Mul_Skirmaker]\r\nsetup=A\r\nship1=B"},
    {"cr lf mix", "[Game]\rlevel=3\n[Mul_Skirmaker]\r\nsetup=A\rship1=B\nship2=C"}, {"empty file", ""},
    {"blank lines", "\r\n\r\n[Mul_Skirmaker]\r\n\r\n  \t \r\nsetup=A\r\n\r\n[Next]\r\nk=v\r\n"},
    {"header junk", "[Mul_Skirmaker] junk\r\nsetup=A\r\n[t]x]\r\nk=v\r\n"},
    {"open bracket", "[Mul_Skirmaker]\r\n[broken\r\nsetup=A\r\n"},
    {"case", "[mul_SKIRMAKER]\r\nSETUP=A\r\nShip1=B\r\n"},
    {"blanks", "[ Mul_Skirmaker ]\r\n  setup  =   a  b   \r\n\tship1\t=\tc\t\r\nship2=a=b\r\n"},
    {"no equals", "[Mul_Skirmaker]\r\nsetup\r\nship1=x\r\n"},
    {"no equals before key", "[Mul_Skirmaker]\r\nship1\r\nship1=x\r\n"},
    {"UTF-8 mark", "\xEF\xBB\xBF[Mul_Skirmaker]\r\nsetup=A\r\n[Next]\r\nk=v\r\n"},
    {"comments", "; top\r\n[Mul_Skirmaker]\r\n;setup=c\r\nsetup=v ; note\r\n#ship1=h\r\n//ship2=s\r\n"},
    {"inner blanks", "[Mul_Skirmaker]\r\nmy key=1\r\nmy  key=2\r\n"},
    {"duplicates", "[Mul_Skirmaker]\r\nsetup=1\r\nSETUP=2\r\n[mul_skirmaker]\r\nship1=3\r\nsetup=4\r\n"},
    {"quotes", "[Mul_Skirmaker]\r\nsetup=\"val\"\r\nship1=''\r\nship2=\"a\"b\"\r\nship3=\" v \"\r\n"
               "ship4=\"v'\r\nship5=\"\r\nship6=\"v\r\nship7='x'\r\n"},
    {"long values", "[Mul_Skirmaker]\r\nsetup=" + std::string(70, 'x') + "\r\nship1=" + std::string(63, 'y') +
                        "\r\nship2=" + std::string(64, 'z') + "\r\nship3=\"" + std::string(62, 'q') +
                        "\"\r\nship4=\"" + std::string(63, 'r') + "\"\r\nship5='" + std::string(64, 's') + "'\r\n"},
    {"empty values", "[Mul_Skirmaker]\r\nsetup=\r\nship1=   \r\n"},
    {"NUL in value", "[Mul_Skirmaker]\r\nsetup=ab\0cd\r\nship1=x\r\n"s},
    {"other sections", "[Game]\r\nlevel=3\r\n[Mul_Skirmaker]\r\nsetup=A\r\n[Tail]\r\nship1=t\r\n"},
};

// Where Wine itself reads differently from Windows; only these comparisons are skipped.
bool IsWineDeviation(const std::string& file, const std::string& key) {
    // Wine drops the last character of a quoted value exactly filling the buffer (Windows gives all 63), and
    // takes a line without '=' as a key hiding a later "key=value" (Windows ignores the line).
    const std::pair<const char*, const char*> deviations[] = {
        {"long values", "ship4"}, {"no equals", "setup"}, {"no equals before key", "ship1"}};
    return std::any_of(std::begin(deviations), std::end(deviations),
                       [&](const auto& d) { return file == d.first && _stricmp(key.c_str(), d.second) == 0; });
}

std::string WindowsRead(const std::string& path, const std::string& section, const std::string& key) {
    char buffer[gameconfig::kReadBufferSize];
    const DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, path.c_str());
    return std::string(buffer, count);
}

TEST(ProfileDifferentialTest, ReadsAndWritesAgreeWithThePlatform) {
    // Every section and key name of the files, in other cases too, and absent ones.
    const std::string sections[] = {kSection, "MUL_SKIRMAKER", "Game", "Next", "Tail", "t]x", "broken", "Absent"};
    const std::string keys[] = {"setup", "SETUP", "ship1", "ship2", "ship3", "ship4", "ship5", "ship6", "ship7",
                                "k", "level", "my key", "my  key", ";setup", "#ship1", "//ship2", "absent"};
    // The mission's keys, with values the platform reads back unchanged: no
    // enclosing quotes, no edge blanks, at most 63 characters.
    const std::pair<const char*, std::string> written[] = {
        {"setup", "Border Clash"}, {"ship1", "Ship \"7\""}, {"ship2", ""}, {"ship3", "Mk 2 'Lancer"},
        {"ship4", std::string(63, 'w')}, {"ship5", "a=b"}, {"ship6", "; not a comment"}, {"ship7", "x"},
        {"ship8", ""}, {"ship9", "y"}, {"ship10", "z"}, {"ship11", "Last One"}, {"ship12", ""}, {"ship13", "14"},
        {"ship14", "-3"}, {"TeamSettings", "2"}, {"PlayerShipSettings", "8"}};
    std::vector<gameconfig::ProfileEntry> entries;
    for (const auto& [key, value] : written) entries.push_back({key, value});
    const fs::path dir = fs::temp_directory_path() / ("skm-diff-" + std::to_string(GetTickCount64()));
    fs::create_directories(dir);
    int next = 0;

    for (const auto& [name, bytes] : kFiles) {
        // Each file gets a name of its own, so no cached copy of an earlier one is read.
        const std::string path = (dir / ("case" + std::to_string(next++) + ".ini")).string();
        std::ofstream(path, std::ios::binary) << bytes;
        const ProfileFile ours(bytes);
        std::map<std::pair<std::string, std::string>, std::string> before;
        for (const std::string& section : sections) {
            for (const std::string& key : keys) {
                const std::string platform = before[{section, key}] = WindowsRead(path, section, key);
                if (IsWineDeviation(name, key)) continue;
                EXPECT_EQ(ours.Get(section, key, gameconfig::Quotes::Strip), platform)
                    << name << ": [" << section << "] " << key;
            }
        }

        EXPECT_EQ(gameconfig::UpdateProfileSection(path, kSection, entries), 0u) << name;
        for (const auto& [key, value] : written) {
            if (IsWineDeviation(name, key)) continue;
            EXPECT_EQ(WindowsRead(path, kSection, key), value) << name << ": " << key;
        }
        for (const auto& [query, value] : before) {
            const bool rewritten = _stricmp(query.first.c_str(), kSection) == 0 &&
                                   std::any_of(std::begin(written), std::end(written), [&](const auto& w) {
                                       return _stricmp(w.first, query.second.c_str()) == 0;
                                   });
            if (rewritten) continue;
            EXPECT_EQ(WindowsRead(path, query.first, query.second), value)
                << name << " after writing: [" << query.first << "] " << query.second;
        }
    }
    fs::remove_all(dir);
}

}  // namespace
