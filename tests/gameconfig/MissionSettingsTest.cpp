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

namespace {

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A fresh folder per test, removed afterwards.
class MissionSettingsFileTest : public testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_dir); }
    void TearDown() override { fs::remove_all(m_dir); }
    void Write(const std::string& bytes) const { std::ofstream(m_file, std::ios::binary) << bytes; }

    const fs::path m_dir = fs::temp_directory_path() / ("skm-mission-" + std::to_string(std::random_device{}()));
    const fs::path m_file = m_dir / "scripts.ini";
};

CMissionSettings SampleSettings() {
    CMissionSettings settings;
    settings.m_strSetup = "Border Clash";
    for (int n = 1; n <= CMissionSettings::kShipCount; ++n) settings.m_strShips[n] = "\"Ship" + std::to_string(n) + "\"";
    settings.m_strShips[5].clear();
    settings.SetTeamSetting(CMissionSettings::kPlayerVsAIBit);
    settings.SetPlayerShipSetting(CMissionSettings::kHostSelectShipsBit);
    return settings;
}

TEST(MissionSettingsBitsTest, SetsTestsAndClearsEachWord) {
    CMissionSettings settings = SampleSettings();
    for (int bit : {31, 32, -1}) settings.SetTeamSetting(bit);  // only 31 is in range
    EXPECT_EQ(settings.GetTeamSettings(), INT32_MIN + 2);
    EXPECT_TRUE(settings.HasTeamSetting(1) && !settings.HasTeamSetting(0) && !settings.HasPlayerShipSetting(-1));
    settings.ClearTeamSettings();
    EXPECT_EQ(settings.GetTeamSettings(), 0);
    EXPECT_TRUE(settings.HasPlayerShipSetting(CMissionSettings::kHostSelectShipsBit));
}

TEST_F(MissionSettingsFileTest, SaveCreatesTheSectionLayoutAndLoadReadsItBack) {
    ASSERT_EQ(SampleSettings().SaveTo(m_file.string()), 0u);
    EXPECT_EQ(ReadBytes(m_file),
              "[Mul_Skirmaker]\r\nsetup=Border Clash\r\n"
              "ship1=\"Ship1\"\r\nship2=\"Ship2\"\r\nship3=\"Ship3\"\r\nship4=\"Ship4\"\r\nship5=\r\n"
              "ship6=\"Ship6\"\r\nship7=\"Ship7\"\r\nship8=\"Ship8\"\r\nship9=\"Ship9\"\r\nship10=\"Ship10\"\r\n"
              "ship11=\"Ship11\"\r\nship12=\"Ship12\"\r\nship13=\"Ship13\"\r\nship14=\"Ship14\"\r\n"
              "TeamSettings=2\r\nPlayerShipSettings=8\r\n");
    CMissionSettings loaded;
    loaded.m_strShips[5] = "kept";  // an empty value leaves the field alone
    loaded.LoadFrom(m_file.string());
    EXPECT_EQ(loaded.m_strSetup, "Border Clash");
    for (int n = 1; n <= CMissionSettings::kShipCount; ++n)
        EXPECT_EQ(loaded.m_strShips[n], n == 5 ? "kept" : "\"Ship" + std::to_string(n) + "\"") << n;
    EXPECT_EQ(loaded.GetTeamSettings(), 2);
    EXPECT_EQ(loaded.GetPlayerShipSettings(), 8);
}

TEST_F(MissionSettingsFileTest, SaveKeepsEverythingElseAndCutsAtLineBreaks) {
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

// Texts are trimmed and cut to 63 characters, words converted as atoi does; absent or empty keys change nothing.
TEST_F(MissionSettingsFileTest, LoadConvertsEachValue) {
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
}

TEST_F(MissionSettingsFileTest, RefusalsChangeNothing) {
    const fs::path missing = m_dir / "absent" / "scripts.ini";
    CMissionSettings settings = SampleSettings();
    EXPECT_NE(settings.SaveTo(missing.string()), 0u);
    EXPECT_FALSE(fs::exists(missing.parent_path()));
    settings.LoadFrom(missing.string());
    EXPECT_EQ(settings.m_strSetup, "Border Clash");

    const std::string utf16("\xFF\xFE[\0M\0]\0\r\0\n\0", 12);
    Write(utf16);
    EXPECT_EQ(settings.SaveTo(m_file.string()), gameconfig::kErrorUnsupportedFile);
    EXPECT_EQ(ReadBytes(m_file), utf16);

    Write("[Mul_Skirmaker]\r\nsetup=big\r\n");
    fs::resize_file(m_file, gameconfig::kMaxProfileBytes + 1);
    EXPECT_NE(settings.SaveTo(m_file.string()), 0u);
    EXPECT_EQ(fs::file_size(m_file), gameconfig::kMaxProfileBytes + 1);
    settings.LoadFrom(m_file.string());  // too big to read
    EXPECT_EQ(settings.m_strSetup, "Border Clash");
}

}  // namespace
