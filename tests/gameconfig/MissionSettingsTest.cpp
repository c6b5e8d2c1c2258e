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

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A fresh folder per test, removed afterwards.
class MissionSettingsFileTest : public testing::Test {
protected:
    void SetUp() override {
        m_dir = fs::temp_directory_path() / ("skm-mission-" + std::to_string(std::random_device{}()));
        fs::create_directories(m_dir);
        m_file = m_dir / "scripts.ini";
    }
    void TearDown() override { fs::remove_all(m_dir); }

    std::string Path() const { return m_file.string(); }

    fs::path m_dir;
    fs::path m_file;
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

const char kSampleSection[] =
    "[Mul_Skirmaker]\r\n"
    "setup=Border Clash\r\n"
    "ship1=\"Ship1\"\r\nship2=\"Ship2\"\r\nship3=\"Ship3\"\r\nship4=\"Ship4\"\r\nship5=\r\n"
    "ship6=\"Ship6\"\r\nship7=\"Ship7\"\r\nship8=\"Ship8\"\r\nship9=\"Ship9\"\r\nship10=\"Ship10\"\r\n"
    "ship11=\"Ship11\"\r\nship12=\"Ship12\"\r\nship13=\"Ship13\"\r\nship14=\"Ship14\"\r\n"
    "TeamSettings=2\r\nPlayerShipSettings=8\r\n";

TEST(MissionSettingsBitsTest, SetsTestsAndClearsEachWord) {
    CMissionSettings settings;
    EXPECT_EQ(settings.GetTeamSettings(), 0);
    EXPECT_EQ(settings.GetPlayerShipSettings(), 0);
    settings.SetTeamSetting(CMissionSettings::kPlayerVsPlayerBit);
    settings.SetPlayerShipSetting(CMissionSettings::kPlayerSelectShipsBit);
    settings.SetPlayerShipSetting(CMissionSettings::kHostSelectShipsBit);
    EXPECT_EQ(settings.GetTeamSettings(), 1);
    EXPECT_EQ(settings.GetPlayerShipSettings(), 12);
    EXPECT_TRUE(settings.HasTeamSetting(0));
    EXPECT_FALSE(settings.HasTeamSetting(1));
    EXPECT_TRUE(settings.HasPlayerShipSetting(2));
    EXPECT_FALSE(settings.HasPlayerShipSetting(0));
    settings.SetTeamSetting(31);
    EXPECT_EQ(settings.GetTeamSettings(), INT32_MIN + 1);
    settings.SetTeamSetting(32);
    EXPECT_FALSE(settings.HasTeamSetting(-1));
    settings.ClearTeamSettings();
    EXPECT_EQ(settings.GetTeamSettings(), 0);
    EXPECT_EQ(settings.GetPlayerShipSettings(), 12);
    settings.ClearPlayerShipSettings();
    EXPECT_EQ(settings.GetPlayerShipSettings(), 0);
}

TEST_F(MissionSettingsFileTest, SaveCreatesTheSectionLayout) {
    ASSERT_EQ(SampleSettings().SaveTo(Path()), 0u);
    EXPECT_EQ(ReadBytes(m_file), kSampleSection);
}

TEST_F(MissionSettingsFileTest, SaveKeepsEverythingElse) {
    const std::string before =
        "; game scripts\n[Mul_Other]\nship1=x\n\n[mul_skirmaker]\nSHIP3 = old\nextra=1\n\n[Tail]\r\nk=v";
    WriteBytes(m_file, before);
    CMissionSettings settings;
    settings.m_strShips[3] = "new";
    ASSERT_EQ(settings.SaveTo(Path()), 0u);
    EXPECT_EQ(ReadBytes(m_file),
              "; game scripts\n[Mul_Other]\nship1=x\n\n[mul_skirmaker]\nSHIP3=new\nextra=1\n"
              "setup=\r\nship1=\r\nship2=\r\nship4=\r\nship5=\r\nship6=\r\nship7=\r\nship8=\r\nship9=\r\n"
              "ship10=\r\nship11=\r\nship12=\r\nship13=\r\nship14=\r\nTeamSettings=0\r\nPlayerShipSettings=0\r\n"
              "\n[Tail]\r\nk=v");
}

TEST_F(MissionSettingsFileTest, LoadReadsBackWhatSaveWrote) {
    const CMissionSettings saved = SampleSettings();
    ASSERT_EQ(saved.SaveTo(Path()), 0u);
    CMissionSettings loaded;
    loaded.m_strShips[5] = "kept";
    loaded.LoadFrom(Path());
    EXPECT_EQ(loaded.m_strSetup, saved.m_strSetup);
    for (int n = 1; n <= CMissionSettings::kShipCount; ++n)
        EXPECT_EQ(loaded.m_strShips[n], n == 5 ? "kept" : saved.m_strShips[n]) << n;
    EXPECT_EQ(loaded.GetTeamSettings(), 2);
    EXPECT_EQ(loaded.GetPlayerShipSettings(), 8);
}

TEST_F(MissionSettingsFileTest, LoadCutsLongTextsAndKeepsFieldsOfAbsentKeys) {
    WriteBytes(m_file, "[Mul_Skirmaker]\nsetup=" + std::string(70, 's') + "\nship2=  'A b'  \nship3=\n");
    CMissionSettings settings;
    settings.m_strShips[1] = "one";
    settings.m_strShips[3] = "three";
    settings.SetTeamSetting(1);
    settings.LoadFrom(Path());
    EXPECT_EQ(settings.m_strSetup, std::string(63, 's'));
    EXPECT_EQ(settings.m_strShips[1], "one");
    EXPECT_EQ(settings.m_strShips[2], "'A b'");
    EXPECT_EQ(settings.m_strShips[3], "three");
    EXPECT_EQ(settings.GetTeamSettings(), 2);
}

TEST_F(MissionSettingsFileTest, LoadOfMissingFileChangesNothing) {
    CMissionSettings settings = SampleSettings();
    settings.LoadFrom((m_dir / "absent" / "scripts.ini").string());
    EXPECT_EQ(settings.m_strSetup, "Border Clash");
    EXPECT_EQ(settings.GetPlayerShipSettings(), 8);
}

TEST_F(MissionSettingsFileTest, WordsConvertLikeAtoi) {
    const std::pair<const char*, std::int32_t> cases[] = {
        {"3", 3}, {"  -12abc", -12}, {"+7", 7}, {"letters", 0}, {"x1", 0},
        {"2147483647", INT32_MAX}, {"99999999999999999999", INT32_MAX}, {"-99999999999", INT32_MIN},
    };
    for (const auto& [text, expected] : cases) {
        WriteBytes(m_file, std::string("[Mul_Skirmaker]\nTeamSettings=") + text + "\nPlayerShipSettings=" + text);
        CMissionSettings settings;
        settings.LoadFrom(Path());
        EXPECT_EQ(settings.GetTeamSettings(), expected) << text;
        EXPECT_EQ(settings.GetPlayerShipSettings(), expected) << text;
    }
}

TEST_F(MissionSettingsFileTest, TextsWithLineBreaksAreCut) {
    CMissionSettings settings;
    settings.m_strSetup = "Title\r\n[Evil]\r\nkey=1";
    ASSERT_EQ(settings.SaveTo(Path()), 0u);
    const std::string bytes = ReadBytes(m_file);
    EXPECT_NE(bytes.find("\r\nsetup=Title\r\nship1="), std::string::npos);
    EXPECT_EQ(bytes.find("Evil"), std::string::npos);
}

TEST_F(MissionSettingsFileTest, MissingFolderFailsAndCreatesNothing) {
    const fs::path missing = m_dir / "absent" / "scripts.ini";
    EXPECT_NE(SampleSettings().SaveTo(missing.string()), 0u);
    EXPECT_FALSE(fs::exists(missing.parent_path()));
}

TEST_F(MissionSettingsFileTest, UnsafeFilesAreRefusedAndUntouched) {
    const std::string utf16("\xFF\xFE[\0M\0]\0\r\0\n\0", 12);
    WriteBytes(m_file, utf16);
    EXPECT_EQ(SampleSettings().SaveTo(Path()), gameconfig::kErrorUnsupportedFile);
    EXPECT_EQ(ReadBytes(m_file), utf16);

    CMissionSettings loaded;
    loaded.LoadFrom(Path());
    EXPECT_TRUE(loaded.m_strSetup.empty());
}

TEST_F(MissionSettingsFileTest, OversizedFileIsRefusedAndReadsAsEmpty) {
    WriteBytes(m_file, "[Mul_Skirmaker]\r\nsetup=big\r\n");
    fs::resize_file(m_file, gameconfig::kMaxProfileBytes + 1);
    EXPECT_NE(SampleSettings().SaveTo(Path()), 0u);
    EXPECT_EQ(fs::file_size(m_file), gameconfig::kMaxProfileBytes + 1);
    CMissionSettings loaded;
    loaded.LoadFrom(Path());
    EXPECT_TRUE(loaded.m_strSetup.empty());
}

}  // namespace
