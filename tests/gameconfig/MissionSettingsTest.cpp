// The mission settings record: its file layout, its conversions, its refusals,
// and where it finds the game.
#include "gameconfig/MissionSettings.h"
#include "gameconfig/ProfileFile.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MissionSettingsTest : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_dir); }
    void TearDown() override { fs::remove_all(m_dir); }
    void Write(const std::string& bytes) const { std::ofstream(m_file, std::ios::binary) << bytes; }

    const fs::path m_dir = fs::temp_directory_path() / ("skm-mission-" + std::to_string(std::random_device{}()));
    const fs::path m_file = m_dir / "scripts.ini";
};

TEST_F(MissionSettingsTest, SaveWritesANewSectionInKeyOrderAndLoadReadsItBack) {
    CMissionSettings settings;
    settings.m_strSetup = "Border Clash";
    for (int n = 1; n <= CMissionSettings::kShipCount; ++n) settings.m_strShips[n] = "\"S" + std::to_string(n) + "\"";
    settings.m_strShips[5].clear();
    settings.SetTeamSetting(CMissionSettings::kPlayerVsAIBit);
    settings.SetPlayerShipSetting(CMissionSettings::kHostSelectShipsBit);
    ASSERT_EQ(settings.SaveTo(m_file.string()), 0u);
    EXPECT_EQ(ReadBytes(m_file),
              "[Mul_Skirmaker]\r\nsetup=Border Clash\r\nship1=\"S1\"\r\nship2=\"S2\"\r\nship3=\"S3\"\r\nship4=\"S4\"\r\n"
              "ship5=\r\nship6=\"S6\"\r\nship7=\"S7\"\r\nship8=\"S8\"\r\nship9=\"S9\"\r\nship10=\"S10\"\r\n"
              "ship11=\"S11\"\r\nship12=\"S12\"\r\nship13=\"S13\"\r\nship14=\"S14\"\r\nTeamSettings=2\r\n"
              "PlayerShipSettings=8\r\n");
    CMissionSettings loaded;
    loaded.m_strShips[5] = "kept";  // an empty value leaves the field alone
    loaded.LoadFrom(m_file.string());
    settings.m_strShips[5] = "kept";
    EXPECT_EQ(loaded.m_strSetup, settings.m_strSetup);
    EXPECT_EQ(loaded.m_strShips, settings.m_strShips);
    EXPECT_EQ(loaded.GetTeamSettings() * 100 + loaded.GetPlayerShipSettings(), 208);
}

TEST_F(MissionSettingsTest, SaveKeepsEverythingElseAndCutsValuesAtLineBreaks) {
    Write("; game scripts\n[Mul_Other]\nship1=x\n\n[mul_skirmaker]\nSHIP3 = old\nextra=1\n\n[Tail]\r\nk=v");
    CMissionSettings settings;
    settings.m_strSetup = "Title\r\n[Evil]\r\nkey=1";
    settings.m_strShips[3] = "new";
    ASSERT_EQ(settings.SaveTo(m_file.string()), 0u);
    EXPECT_EQ(ReadBytes(m_file),
              "; game scripts\n[Mul_Other]\nship1=x\n\n[mul_skirmaker]\nSHIP3=new\nextra=1\n"
              "setup=Title\r\nship1=\r\nship2=\r\nship4=\r\nship5=\r\nship6=\r\nship7=\r\nship8=\r\nship9=\r\n"
              "ship10=\r\nship11=\r\nship12=\r\nship13=\r\nship14=\r\nTeamSettings=0\r\nPlayerShipSettings=0\r\n"
              "\n[Tail]\r\nk=v");
}

// Texts are trimmed and cut to 63 characters, words converted as atoi does.
TEST_F(MissionSettingsTest, LoadConvertsEachValue) {
    const std::pair<const char*, std::int32_t> words[] = {{"3", 3}, {"  -12abc", -12}, {"+7", 7}, {"x1", 0},
        {"2147483647", INT32_MAX}, {"99999999999999999999", INT32_MAX}, {"-99999999999", INT32_MIN}};
    for (const auto& [text, expected] : words) {
        Write("[Mul_Skirmaker]\nsetup=" + std::string(70, 's') + "\nship2=  'A b'  \nship3=\nTeamSettings=" + text +
              "\nPlayerShipSettings=" + text);
        CMissionSettings settings;
        settings.m_strShips[1] = settings.m_strShips[3] = "kept";
        settings.LoadFrom(m_file.string());
        EXPECT_EQ(settings.m_strSetup, std::string(63, 's'));
        EXPECT_EQ(settings.m_strShips[1] + settings.m_strShips[2] + settings.m_strShips[3], "kept'A b'kept");
        EXPECT_EQ(settings.GetTeamSettings(), expected) << text;
        EXPECT_EQ(settings.GetPlayerShipSettings(), expected) << text;
    }
    CMissionSettings bits;  // bits outside a word are ignored, never shifted out of range
    for (int bit : {31, 32, -1}) bits.SetTeamSetting(bit);
    EXPECT_EQ(bits.GetTeamSettings(), INT32_MIN);
}

TEST_F(MissionSettingsTest, RefusalsLeaveTheFileAsItWas) {
    const fs::path missing = m_dir / "absent" / "scripts.ini";
    CMissionSettings settings;
    settings.m_strSetup = "mine";
    EXPECT_NE(settings.SaveTo(missing.string()), 0u);
    EXPECT_FALSE(fs::exists(missing.parent_path()));
    const std::string utf16("\xFF\xFE[\0M\0]\0\r\0\n\0", 12);
    Write(utf16);
    EXPECT_EQ(settings.SaveTo(m_file.string()), gameconfig::kErrorUnsupportedFile);
    EXPECT_EQ(ReadBytes(m_file), utf16);
    Write("[Mul_Skirmaker]\r\nsetup=big\r\n");
    fs::resize_file(m_file, gameconfig::kMaxProfileBytes + 1);
    EXPECT_NE(settings.SaveTo(m_file.string()), 0u);
    EXPECT_EQ(fs::file_size(m_file), gameconfig::kMaxProfileBytes + 1);
    settings.LoadFrom(m_file.string());  // too big to read
    EXPECT_EQ(settings.m_strSetup, "mine");
}

// Records that answer with a value's data or with the lookup's error.
struct FakeRecords : gameconfig::InstallRecords {
    files::ErrorCode error = 0;
    std::string stored;
    std::string ChosenFolder() const override { return {}; }
    files::ErrorCode RememberChosenFolder(const std::string&) override { return 0; }
    files::ErrorCode ReadInstallPath(std::string& data) const override {
        if (error == 0) data = stored;
        return error;
    }
};

TEST(InstallPathTest, TheRecordedFolderBecomesTheScriptsPathOrTheLookupsErrorIsKept) {
    const struct {
        std::string stored;
        files::ErrorCode error;
        std::string path;  // "unchanged" when the lookup fails
    } cases[] = {
        {"D:\\Games\\Voidwake\0"s, 0, "D:\\Games\\Voidwake\\"},
        {"D:\\Games\\Voidwake\\\0"s, 0, "D:\\Games\\Voidwake\\"},
        {"\0"s, 0, "\\"},
        {"", 0, "\\"},
        {"C:\\Void", 0, "C:\\Void\\"},  // no terminator stored
        {"C:\\A\0junk\0"s, 0, "C:\\A\\"},
        {"", 2, "unchanged"},  // no key or no value
        {"", 234, "unchanged"},  // more data than room
    };
    for (const auto& c : cases) {
        FakeRecords records;
        records.stored = c.stored;
        records.error = c.error;
        CMissionSettings settings;
        settings.SetInstallRecords(&records);
        std::string install = "unchanged", scripts = "unchanged";
        EXPECT_EQ(settings.GetInstallPath(install), c.error == 0) << c.path;
        EXPECT_EQ(settings.GetScriptsPath(scripts), c.error == 0) << c.path;
        EXPECT_EQ(install, c.path);
        EXPECT_EQ(scripts, c.error ? "unchanged" : c.path + "Assets\\Scripts\\");
        EXPECT_EQ(settings.GetLastError(), c.error);
        if (c.error) {
            EXPECT_FALSE(settings.Load() || settings.Save() || settings.GetLastError() != c.error);
        }
    }
    CMissionSettings withoutRecords;
    EXPECT_FALSE(withoutRecords.Load());
    EXPECT_EQ(withoutRecords.GetLastError(), files::kErrorNotFound);
}

}  // namespace
