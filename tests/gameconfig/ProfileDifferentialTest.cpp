// Our profile engine against the platform's GetPrivateProfileStringA on a corpus of files: every read must
// match, and after we write the mission's keys the platform reads them back and every other key as before.
#include "gameconfig/ProfileFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

using namespace std::string_literals;
namespace fs = std::filesystem;
using gameconfig::ProfileFile;

namespace {

constexpr char kSection[] = "Mul_Skirmaker";

// The name and bytes of each file.
using Corpus = std::vector<std::pair<std::string, std::string>>;

// Variations in blanks, case, comments, duplicates, line ends and long values; a fixed seed reproduces failures.
void AddGeneratedFiles(Corpus& files) {
    std::mt19937 random(20240611);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* const blanks[] = {"", " ", "\t", "  \t "};
    const char* const breaks[] = {"\r\n", "\n"};
    auto blank = [&]() { return std::string(blanks[pick(4)]); };
    auto cased = [&](std::string name) {
        for (char& c : name)
            if (pick(3) == 0) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return name;
    };
    auto value = [&](int index) {
        const int kind = pick(6);
        if (kind == 0) return std::string(60 + pick(10), 'v');
        if (kind == 1) return "\"Quoted " + std::to_string(index) + "\"";
        return kind == 2 ? std::string() : "value " + std::to_string(pick(1000));
    };
    for (int index = 0; index < 150; ++index) {
        const char* lineBreak = breaks[pick(2)];
        std::string bytes;
        auto line = [&](const std::string& text) { bytes += text + (pick(6) == 0 ? breaks[pick(2)] : lineBreak); };
        const int sections = 1 + pick(4);
        const int mission = pick(sections);
        for (int s = 0; s < sections; ++s) {
            if (pick(4) == 0) line(std::string(";") + blank() + "comment");
            const std::string name = s == mission ? cased(kSection) : "Section" + std::to_string(s);
            line(blank() + "[" + blank() + name + blank() + "]");
            for (int k = 0, keys = pick(8); k < keys; ++k) {
                std::string key = s != mission ? "key" + std::to_string(pick(5)) : k ? "ship" + std::to_string(k)
                                                                                     : "setup";
                line(blank() + cased(key) + blank() + "=" + blank() + value(index) + blank());
                if (pick(5) == 0) line("");
            }
        }
        if (pick(3) == 0) bytes.erase(bytes.find_last_not_of("\r\n") + 1);
        files.push_back({"generated " + std::to_string(index), bytes});
    }
}

// Hand-made files for each rule of the engine, then the generated ones.
Corpus AllFiles() {
    Corpus files = {
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
    AddGeneratedFiles(files);
    return files;
}

// Where Wine itself reads differently from Windows; only these comparisons are skipped.
bool IsWineDeviation(const std::string& file, const std::string& key) {
    // Wine drops the last character of a quoted value exactly filling the buffer (Windows gives all 63), and
    // takes a line without '=' as a key hiding a later "key=value" (Windows ignores the line).
    const std::pair<const char*, const char*> deviations[] = {
        {"long values", "ship4"}, {"no equals", "setup"}, {"no equals before key", "ship1"}};
    return std::any_of(std::begin(deviations), std::end(deviations),
                       [&](const auto& d) { return file == d.first && _stricmp(key.c_str(), d.second) == 0; });
}

// The platform's list of section names (section nullptr) or of a section's keys.
std::vector<std::string> WindowsNames(const std::string& path, const char* section) {
    std::vector<char> buffer(1 << 16);
    const DWORD length = GetPrivateProfileStringA(section, nullptr, "", buffer.data(), buffer.size(), path.c_str());
    std::vector<std::string> names;
    for (DWORD pos = 0; pos < length && buffer[pos] != '\0'; pos += names.back().size() + 1)
        names.emplace_back(&buffer[pos]);
    return names;
}

std::string WindowsRead(const std::string& path, const std::string& section, const std::string& key) {
    char buffer[gameconfig::kReadBufferSize];
    const DWORD count = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, path.c_str());
    return std::string(buffer, count);
}

std::string Upper(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// A section and key name to ask for, with what the platform reads for it.
struct Query {
    std::string section, key, platform;
};

// The names either side lists, in upper case too, and absent ones.
std::vector<Query> QueriesFor(const ProfileFile& ours, const std::string& path) {
    std::set<std::string> sections{kSection, "Absent"}, keys{"setup", "ship1", "absent"};
    for (const auto& entry : ours.Entries()) sections.insert(entry.section), keys.insert(entry.key);
    for (const std::string& section : WindowsNames(path, nullptr)) {
        sections.insert(section);
        for (const std::string& key : WindowsNames(path, section.c_str())) keys.insert(key);
    }
    for (auto* names : {&sections, &keys})
        for (const std::string& name : std::set<std::string>(*names)) names->insert(Upper(name));
    std::vector<Query> queries;
    for (const std::string& section : sections)
        for (const std::string& key : keys) queries.push_back({section, key, WindowsRead(path, section, key)});
    return queries;
}

TEST(ProfileDifferentialTest, ReadsAndWritesAgreeWithThePlatform) {
    const char* const keys[] = {"setup", "ship1", "ship2", "ship3", "ship4", "ship5", "ship6", "ship7", "ship8",
                                "ship9", "ship10", "ship11", "ship12", "ship13", "ship14", "TeamSettings",
                                "PlayerShipSettings"};
    // Values the platform reads back unchanged: no enclosing quotes, no edge blanks, at most 63 characters.
    const std::string values[] = {"Border Clash", "Ship \"7\"", "", "Mk 2 'Lancer", std::string(63, 'w'), "a=b",
                                  "; not a comment", "x", "", "y", "z", "Last One", "", "14", "-3", "2", "8"};
    std::vector<gameconfig::ProfileEntry> entries;
    for (std::size_t i = 0; i < std::size(keys); ++i) entries.push_back({keys[i], values[i]});
    auto written = [&](const Query& q) {
        return _stricmp(q.section.c_str(), kSection) == 0 && std::any_of(std::begin(keys), std::end(keys), [&](auto k) {
                   return _stricmp(k, q.key.c_str()) == 0;
               });
    };
    const fs::path dir = fs::temp_directory_path() / ("skm-diff-" + std::to_string(GetTickCount64()));
    fs::create_directories(dir);
    int next = 0;

    for (const auto& [name, bytes] : AllFiles()) {
        // Each file gets a name of its own, so no cached copy of an earlier one is read.
        const std::string path = (dir / ("case" + std::to_string(next++) + ".ini")).string();
        std::ofstream(path, std::ios::binary) << bytes;
        const ProfileFile ours(bytes);
        const std::vector<Query> queries = QueriesFor(ours, path);
        for (const Query& q : queries) {
            if (IsWineDeviation(name, q.key)) continue;
            EXPECT_EQ(ours.Get(q.section, q.key, gameconfig::Quotes::Strip), q.platform)
                << name << ": [" << q.section << "] " << q.key;
        }

        EXPECT_EQ(gameconfig::UpdateProfileSection(path, kSection, entries), 0u) << name;
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            if (IsWineDeviation(name, keys[i])) continue;
            EXPECT_EQ(WindowsRead(path, kSection, keys[i]), values[i]) << name << ": " << keys[i];
        }
        for (const Query& q : queries) {
            if (written(q)) continue;
            EXPECT_EQ(WindowsRead(path, q.section, q.key), q.platform)
                << name << " after writing: [" << q.section << "] " << q.key;
        }
    }
    fs::remove_all(dir);
}

}  // namespace
