// The mission settings record: its file layout, its conversions, and where it
// finds the game.
#include "gameconfig/MissionSettings.h"
#include "gameconfig/ProfileFile.h"
#include "SizedFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class MissionSettingsTest : public testing::Test {
protected:
    MissionSettingsTest() { fs::create_directories(m_file.parent_path()); }
    ~MissionSettingsTest() override { fs::remove_all(m_file.parent_path()); }
    void Write(const std::string& bytes) const { std::ofstream(m_file, std::ios::binary) << bytes; }

    const fs::path m_file = fs::temp_directory_path() / ("skm-mission-" + std::to_string(std::random_device{}())) /
                            "scripts.ini";
};

TEST_F(MissionSettingsTest, SaveWritesANewSectionInKeyOrderAndLoadReadsItBack) {
    CMissionSettings settings;
    settings.m_strSetup = "Border Clash";
    for (int n = 1; n <= CMissionSettings::kShipCount; ++n) settings.m_strShips[n] = "\"S" + std::to_string(n) + "\"";
    settings.m_strShips[5].clear();
    settings.SetTeamSetting(CMissionSettings::kPlayerVsAIBit);
    settings.SetPlayerShipSetting(CMissionSettings::kHostSelectShipsBit);
    ASSERT_EQ(settings.SaveTo(m_file.string()), 0u);
    std::ostringstream written;
    written << std::ifstream(m_file, std::ios::binary).rdbuf();
    EXPECT_EQ(written.str(), "[Mul_Skirmaker]\r\nsetup=Border Clash\r\nship1=\"S1\"\r\nship2=\"S2\"\r\nship3=\"S3\"\r\n"
                             "ship4=\"S4\"\r\nship5=\r\nship6=\"S6\"\r\nship7=\"S7\"\r\nship8=\"S8\"\r\nship9=\"S9\"\r\n"
                             "ship10=\"S10\"\r\nship11=\"S11\"\r\nship12=\"S12\"\r\nship13=\"S13\"\r\nship14=\"S14\"\r\n"
                             "TeamSettings=2\r\nPlayerShipSettings=8\r\n");
    CMissionSettings loaded;
    loaded.m_strShips[5] = "kept";  // an empty value leaves the field alone
    loaded.LoadFrom(m_file.string());
    settings.m_strShips[5] = "kept";
    EXPECT_EQ(loaded.m_strSetup, settings.m_strSetup);
    EXPECT_EQ(loaded.m_strShips, settings.m_strShips);
    EXPECT_EQ(loaded.GetTeamSettings() * 100 + loaded.GetPlayerShipSettings(), 208);

    WriteSizedFile(m_file, gameconfig::kMaxProfileBytes + 1);  // too big to read or write
    EXPECT_NE(settings.SaveTo(m_file.string()), 0u);
    EXPECT_EQ(fs::file_size(m_file), gameconfig::kMaxProfileBytes + 1);
    loaded.m_strSetup = "mine";
    loaded.LoadFrom(m_file.string());
    EXPECT_EQ(loaded.m_strSetup, "mine");
}

// Words are converted as the runtime's atoi does; bits outside a word are ignored.
TEST_F(MissionSettingsTest, LoadConvertsWordsAsAtoiDoes) {
    const std::pair<const char*, std::int32_t> words[] = {{"3", 3}, {"  -12abc", -12}, {"+7", 7}, {"x1", 0},
        {"2147483647", INT32_MAX}, {"99999999999999999999", INT32_MAX}, {"-99999999999", INT32_MIN}};
    for (const auto& [text, expected] : words) {
        Write("[Mul_Skirmaker]\nTeamSettings="s + text + "\nPlayerShipSettings=" + text);
        CMissionSettings settings;
        settings.LoadFrom(m_file.string());
        EXPECT_EQ(settings.GetTeamSettings(), expected) << text;
        EXPECT_EQ(settings.GetPlayerShipSettings(), expected) << text;
    }
    CMissionSettings bits;
    for (int bit : {31, 32, -1}) bits.SetTeamSetting(bit);
    EXPECT_EQ(bits.GetTeamSettings(), INT32_MIN);
}

// The data stored for the registry value, up to its first NUL, ends in exactly
// one backslash; a missing folder (the lookup's error) is the start-up's "code 2".
TEST(InstallPathTest, TheRecordedFolderEndsInOneBackslash) {
    const std::pair<std::string, std::string> cases[] = {{"D:\\Games\\Voidwake\0"s, "D:\\Games\\Voidwake\\"},
        {"D:\\Games\\Voidwake\\\0"s, "D:\\Games\\Voidwake\\"}, {"C:\\A\0junk"s, "C:\\A\\"}, {"", "\\"}};
    for (const auto& [stored, path] : cases) EXPECT_EQ(gameconfig::AdoptInstallPath(stored), path);
    CMissionSettings withoutRecords;
    EXPECT_FALSE(withoutRecords.Load());
    EXPECT_EQ(withoutRecords.GetLastError(), files::kErrorNotFound);
}

}  // namespace
