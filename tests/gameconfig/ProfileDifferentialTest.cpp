// Our profile engine against the platform's GetPrivateProfileStringA, on a
// corpus of settings files: every read must match, and after our engine
// writes the mission's keys the platform must read back the values written
// and every other key as before.
#include "gameconfig/ProfileFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace std::string_literals;
namespace fs = std::filesystem;
using gameconfig::ProfileFile;

namespace {

constexpr char kSection[] = "Mul_Skirmaker";

struct CorpusFile {
    std::string name;
    std::string bytes;
};

// Files of the cases the engine's rules name.
std::vector<CorpusFile> RuleFiles() {
    return {
        {"crlf", "[Mul_Skirmaker]\r\nsetup=A\r\nship1=B\r\n"},
        {"lf", "[Mul_Skirmaker]\nsetup=A\nship1=B\n"},
        {"cr", "[Mul_Skirmaker]\rsetup=A\rship1=B\r"},
        {"cr lf mix", "[Game]\rlevel=3\n[Mul_Skirmaker]\r\nsetup=A\rship1=B\nship2=C"},
        {"no final break", "[Mul_Skirmaker]\r\nsetup=A\r\nship1=B"},
        {"blank lines", "\r\n\r\n[Mul_Skirmaker]\r\n\r\n  \t \r\nsetup=A\r\n\r\n[Next]\r\nk=v\r\n"},
        {"header junk", "[Mul_Skirmaker] junk\r\nsetup=A\r\n[t]x]\r\nk=v\r\n"},
        {"open bracket", "[Mul_Skirmaker]\r\n[broken\r\nsetup=A\r\n"},
        {"blanks", "[ Mul_Skirmaker ]\r\n  setup  =   a  b   \r\n\tship1\t=\tc\t\r\nship2=a=b\r\n"},
        {"no equals", "[Mul_Skirmaker]\r\nsetup\r\nship1=x\r\n"},
        {"no equals before key", "[Mul_Skirmaker]\r\nship1\r\nship1=x\r\n"},
        {"UTF-8 mark", "\xEF\xBB\xBF[Mul_Skirmaker]\r\nsetup=A\r\n[Next]\r\nk=v\r\n"},
        {"comments", "; top\r\n[Mul_Skirmaker]\r\n;setup=c\r\nsetup=v ; note\r\n#ship1=h\r\n//ship2=s\r\n"},
        {"case", "[mul_SKIRMAKER]\r\nSETUP=A\r\nShip1=B\r\n"},
        {"inner blanks", "[Mul_Skirmaker]\r\nmy key=1\r\nmy  key=2\r\n"},
        {"duplicates", "[Mul_Skirmaker]\r\nsetup=1\r\nSETUP=2\r\n[mul_skirmaker]\r\nship1=3\r\nsetup=4\r\n"},
        {"quotes", "[Mul_Skirmaker]\r\nsetup=\"val\"\r\nship1=''\r\nship2=\"a\"b\"\r\nship3=\" v \"\r\n"
                   "ship4=\"v'\r\nship5=\"\r\nship6=\"v\r\nship7='x'\r\n"},
        {"long values", "[Mul_Skirmaker]\r\nsetup=" + std::string(70, 'x') + "\r\nship1=" + std::string(63, 'y') +
                            "\r\nship2=" + std::string(64, 'z') + "\r\nship3=\"" + std::string(62, 'q') + "\"\r\nship4=\"" + std::string(63, 'r') + "\"\r\n" +
                            "ship5='" + std::string(64, 's') + "'\r\n"},
        {"empty values", "[Mul_Skirmaker]\r\nsetup=\r\nship1=   \r\n"},
        {"NUL in value", "[Mul_Skirmaker]\r\nsetup=ab\0cd\r\nship1=x\r\n"s},
        {"other sections", "[Game]\r\nlevel=3\r\n[Mul_Skirmaker]\r\nsetup=A\r\n[Tail]\r\nship1=t\r\n"},
        {"empty file", ""},
    };
}

// Variations of a base file: blanks, letter case, comments, duplicates,
// missing final break, line-end mixes and long values, chosen at random with
// a fixed seed so that a failure can be reproduced.
std::vector<CorpusFile> GeneratedFiles() {
    std::mt19937 random(20240611);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const char* const blanks[] = {"", " ", "\t", "  \t "};
    const char* const breaks[] = {"\r\n", "\n"};
    std::vector<CorpusFile> files;
    for (int index = 0; index < 150; ++index) {
        const char* lineBreak = breaks[pick(2)];
        std::string bytes;
        auto line = [&](const std::string& text) { bytes += text + (pick(6) == 0 ? breaks[pick(2)] : lineBreak); };
        auto cased = [&](std::string name) {
            for (char& c : name)
                if (pick(3) == 0) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            return name;
        };
        auto value = [&]() {
            switch (pick(6)) {
            case 0: return std::string(60 + pick(10), 'v');
            case 1: return "\"Quoted " + std::to_string(index) + "\"";
            case 2: return std::string();
            default: return "value " + std::to_string(pick(1000));
            }
        };
        const int sections = 1 + pick(4);
        const int mission = pick(sections);
        for (int s = 0; s < sections; ++s) {
            if (pick(4) == 0) line(";" + std::string(blanks[pick(4)]) + "comment");
            const std::string name = s == mission ? cased(kSection) : "Section" + std::to_string(s);
            line(std::string(blanks[pick(4)]) + "[" + blanks[pick(4)] + name + blanks[pick(4)] + "]");
            const int keys = pick(8);
            for (int k = 0; k < keys; ++k) {
                const std::string key = s == mission ? (k == 0 ? "setup" : "ship" + std::to_string(k)) : "key" + std::to_string(pick(5));
                line(std::string(blanks[pick(4)]) + cased(key) + blanks[pick(4)] + "=" + blanks[pick(4)] + value() + blanks[pick(4)]);
                if (pick(5) == 0) line("");
            }
        }
        if (pick(3) == 0) {
            while (!bytes.empty() && (bytes.back() == '\r' || bytes.back() == '\n')) bytes.pop_back();
        }
        files.push_back({"generated " + std::to_string(index), bytes});
    }
    return files;
}

// Where Wine itself reads differently from Windows; only these comparisons are skipped.
struct WineDeviation {
    const char* file;
    const char* key;
};

const WineDeviation kWineDeviations[] = {
    // Wine drops the last character of a quoted value whose inner text is
    // exactly as long as the buffer allows (63 of 64); Windows gives all 63.
    {"long values", "ship4"},
    // Wine takes a line without '=' as a key without a value, which hides a
    // later "key=value" line of the same name; on Windows it is no key at all.
    {"no equals", "setup"},
    {"no equals before key", "ship1"},
};

bool IsWineDeviation(const std::string& file, const std::string& key) {
    return std::any_of(std::begin(kWineDeviations), std::end(kWineDeviations), [&](const WineDeviation& d) {
        return file == d.file && _stricmp(key.c_str(), d.key) == 0;
    });
}

std::vector<std::string> SplitNulList(const std::vector<char>& buffer, DWORD length) {
    std::vector<std::string> items;
    for (DWORD pos = 0; pos < length && buffer[pos] != '\0';) {
        items.emplace_back(&buffer[pos]);
        pos += static_cast<DWORD>(items.back().size()) + 1;
    }
    return items;
}

std::vector<std::string> WindowsSections(const std::string& path) {
    std::vector<char> buffer(1 << 16);
    const DWORD length = GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    return SplitNulList(buffer, length);
}

std::vector<std::string> WindowsKeys(const std::string& path, const std::string& section) {
    std::vector<char> buffer(1 << 16);
    const DWORD length = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    return SplitNulList(buffer, length);
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

// The names to ask for: what either side lists, their upper-case forms and absent ones.
struct Queries {
    std::set<std::string> sections;
    std::set<std::string> keys;
};

Queries QueriesFor(const ProfileFile& ours, const std::string& path) {
    Queries q{{kSection, "Absent"}, {"setup", "ship1", "absent"}};
    for (const auto& name : ours.Entries()) {
        q.sections.insert(name.section);
        q.keys.insert(name.key);
    }
    for (const std::string& section : WindowsSections(path)) {
        q.sections.insert(section);
        for (const std::string& key : WindowsKeys(path, section)) q.keys.insert(key);
    }
    for (const std::string& s : std::set<std::string>(q.sections)) q.sections.insert(Upper(s));
    for (const std::string& k : std::set<std::string>(q.keys)) q.keys.insert(Upper(k));
    return q;
}

class ProfileDifferentialTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("skm-diff-" + std::to_string(GetTickCount64()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Each file gets a name of its own, so no cached copy of an earlier one is read.
    std::string Store(const std::string& bytes) {
        const fs::path path = m_dir / ("case" + std::to_string(m_next++) + ".ini");
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }

    std::vector<CorpusFile> Corpus() const {
        std::vector<CorpusFile> corpus = RuleFiles();
        for (CorpusFile& f : GeneratedFiles()) corpus.push_back(std::move(f));
        return corpus;
    }

    fs::path m_dir;
    int m_next = 0;
};

TEST_F(ProfileDifferentialTest, ReadsEqualThePlatformReader) {
    for (const CorpusFile& file : Corpus()) {
        const std::string path = Store(file.bytes);
        const ProfileFile ours(file.bytes);
        const Queries q = QueriesFor(ours, path);
        for (const std::string& section : q.sections) {
            for (const std::string& key : q.keys) {
                if (IsWineDeviation(file.name, key)) continue;
                EXPECT_EQ(ours.Get(section, key, gameconfig::Quotes::Strip), WindowsRead(path, section, key))
                    << file.name << ": [" << section << "] " << key;
            }
        }
    }
}

TEST_F(ProfileDifferentialTest, WrittenKeysReadBackAndOthersStay) {
    // Values the platform reads back unchanged: no enclosing quotes, no edge blanks, at most 63 characters.
    const std::string values[] = {"Border Clash", "Ship \"7\"", "", "Mk 2 'Lancer", std::string(63, 'w'),
                                  "a=b", "; not a comment", "x", "", "y", "z", "Last One", "", "14", "-3",
                                  "2", "8"};
    const char* const keys[] = {"setup", "ship1", "ship2", "ship3", "ship4", "ship5", "ship6", "ship7", "ship8",
                                "ship9", "ship10", "ship11", "ship12", "ship13", "ship14", "TeamSettings",
                                "PlayerShipSettings"};
    std::vector<gameconfig::ProfileEntry> entries;
    for (std::size_t i = 0; i < std::size(keys); ++i) entries.push_back({keys[i], values[i]});

    for (const CorpusFile& file : Corpus()) {
        const std::string path = Store(file.bytes);
        const Queries q = QueriesFor(ProfileFile(file.bytes), path);
        std::vector<std::string> before;
        for (const std::string& section : q.sections)
            for (const std::string& key : q.keys) before.push_back(WindowsRead(path, section, key));

        ASSERT_EQ(gameconfig::UpdateProfileSection(path, kSection, entries), 0u) << file.name;
        for (std::size_t i = 0; i < std::size(keys); ++i) {
            if (IsWineDeviation(file.name, keys[i])) continue;
            EXPECT_EQ(WindowsRead(path, kSection, keys[i]), values[i]) << file.name << ": " << keys[i];
        }
        std::size_t index = 0;
        for (const std::string& section : q.sections) {
            for (const std::string& key : q.keys) {
                const bool written = _stricmp(section.c_str(), kSection) == 0 &&
                                     std::any_of(std::begin(keys), std::end(keys),
                                                 [&](const char* k) { return _stricmp(k, key.c_str()) == 0; });
                if (!written) {
                    EXPECT_EQ(WindowsRead(path, section, key), before[index])
                        << file.name << ": [" << section << "] " << key;
                }
                ++index;
            }
        }
    }
}

}  // namespace
