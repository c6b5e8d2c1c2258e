// The mission settings record: its file layout, its conversions, and where it
// finds the game; and the rest of what the mission needs installed: a mission
// list the game made after the mission's script arrived.
#include "gameconfig/Installation.h"
#include "gameconfig/MissionSettings.h"
#include "gameconfig/ProfileFile.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace fs = std::filesystem;
using namespace std::string_literals;
using Names = std::vector<std::string>;

namespace {

class MissionSettingsTest : public testing::Test {
protected:
    TempFolder m_dir{"skm-mission-"};
    const fs::path m_file = m_dir.path / "scripts.ini";
};

// The section's bytes are those of the shared text (SetupFormTest), made by the same code.
TEST_F(MissionSettingsTest, SaveAddsTheSectionAndLoadReadsItBack) {
    CMissionSettings settings;
    settings.m_strSetup = "Border Clash";
    for (int n = 1; n <= CMissionSettings::kShipCount; ++n) settings.m_strShips[n] = "\"S" + std::to_string(n) + "\"";
    settings.m_strShips[5].clear();
    settings.SetTeamSetting(CMissionSettings::kPlayerVsAIBit);
    settings.SetPlayerShipSetting(CMissionSettings::kHostSelectShipsBit);
    // Another program writes the file before each of our replaces: we give up, and then, once, it is kept.
    static int edits = gameconfig::kUpdateAttempts;
    static constexpr std::string_view kTheirs = "other=theirs\r\n";
    gameconfig::g_pfnBeforeReplaceCheck = [](const std::string& path) {
        if (edits-- > 0) WriteFileBytes(path, ReadFileBytes(path).append(kTheirs));
    };
    EXPECT_EQ(settings.SaveTo(m_file.string()), gameconfig::kErrorChangedMeanwhile);
    edits = 1;
    ASSERT_EQ(settings.SaveTo(m_file.string()), 0u);
    gameconfig::g_pfnBeforeReplaceCheck = nullptr;
    EXPECT_EQ(ReadFileBytes(m_file).find("[Mul"), (gameconfig::kUpdateAttempts + 1) * kTheirs.size());
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
        WriteFileBytes(m_file, "[Mul_Skirmaker]\nTeamSettings="s + text + "\nPlayerShipSettings=" + text);
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
// one backslash; an empty one names no folder, not the root of the current
// drive. No folder is the "code 2" of the start-up and of a Select without a game.
TEST(InstallPathTest, TheRecordedFolderEndsInOneBackslash) {
    const std::pair<std::string, std::string> cases[] = {{"D:\\Games\\Voidwake\0"s, "D:\\Games\\Voidwake\\"},
        {"D:\\Games\\Voidwake\\\0"s, "D:\\Games\\Voidwake\\"}, {"C:\\A\0junk"s, "C:\\A\\"}, {"\0C:"s, ""}};
    for (const auto& [stored, path] : cases) EXPECT_EQ(gameconfig::AdoptInstallPath(stored), path);
    CMissionSettings withoutRecords;
    EXPECT_FALSE(withoutRecords.Load());
    EXPECT_EQ(withoutRecords.GetLastError(), files::kErrorNotFound);
    EXPECT_FALSE(withoutRecords.Save());
    EXPECT_EQ(withoutRecords.GetLastError(), files::kErrorNotFound);
}

// A list is stale when written before the script arrived, here copied in (created at 50) with an older write
// time; copies set aside, folders and other names are no lists. Setting lists aside gives a taken name a number,
// and after a rename that fails, gives the lists renamed before their names back.
TEST_F(MissionSettingsTest, AStaleMissionListIsFoundAndSetAsideWithoutLosingAFile) {
    const files::FolderEntry script{"mul_SKIRMAKER.scr", false, 50, 20};
    const std::tuple<std::vector<files::FolderEntry>, Names, Names> cases[] = {
        {{script, {"AllScripts.cache", false, 0, 49}}, {"AllScripts.cache"}, {"AllScripts.cache"}},
        {{script, {"allscripts.CACHE", false, 0, 50}}, {"allscripts.CACHE"}, {}},  // equal is not older
        {{{"AllScripts", false, 0, 60}, script, {"AllScripts.idx", false, 0, 10},
          {"AllScripts.cache.old2", false, 0, 1}, {"AllScripts.x", true, 0, 1}, {"AllScriptsX", false, 0, 1}},
         {"AllScripts", "AllScripts.idx"}, {"AllScripts.idx"}}};
    for (const auto& [entries, lists, stale] : cases) {
        const gameconfig::MissionInstall install = gameconfig::ExamineScriptsFolder(entries);
        EXPECT_EQ(std::tie(install.lists, install.staleLists), std::tie(lists, stale));
    }
    for (const char* name : {"AllScripts.cache", "AllScripts.cache.old", "AllScripts.idx"})
        WriteFileBytes(m_dir.path / name, name);
    const std::string folder = (m_dir.path / "").string();
    const auto failed = gameconfig::SetAsideMissionLists(folder, Names{"AllScripts.cache", "AllScripts.gone"});
    EXPECT_NE(gameconfig::DescribeFailedSetAside(failed).find("\"AllScripts.gone\" could not"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(m_dir.path / "AllScripts.cache"), "AllScripts.cache");
    EXPECT_EQ(gameconfig::SetAsideMissionLists(folder, Names{"AllScripts.cache", "AllScripts.idx"}).error, 0u);
    for (const auto& [name, content] :
         {std::pair{"AllScripts.cache", ""}, {"AllScripts.cache.old", "AllScripts.cache.old"},
          {"AllScripts.cache.old2", "AllScripts.cache"}, {"AllScripts.idx.old", "AllScripts.idx"}})
        EXPECT_EQ(ReadFileBytes(m_dir.path / name), content) << name;
}

}  // namespace
