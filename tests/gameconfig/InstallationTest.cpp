// The installation the mission needs: which mission lists the game made before
// the mission's script arrived, setting them aside without losing one, and
// which data file a run uses.
#include "gameconfig/Installation.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <tuple>

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

namespace {

// The script arrived when it was copied in (created at 50), though its write
// time is older; copies set aside, folders and other names are no lists.
TEST(InstallationTest, AMissionListIsStaleWhenWrittenBeforeTheScriptArrived) {
    const files::FolderEntry script{"mul_SKIRMAKER.scr", false, 50, 20};
    const std::tuple<std::vector<files::FolderEntry>, Names, Names> cases[] = {
        {{script, {"AllScripts.cache", false, 0, 49}}, {"AllScripts.cache"}, {"AllScripts.cache"}},
        {{script, {"allscripts.CACHE", false, 0, 50}}, {"allscripts.CACHE"}, {}},  // equal is not older
        {{{"AllScripts", false, 0, 60}, script, {"AllScripts.idx", false, 0, 10},
          {"AllScripts.cache.old2", false, 0, 1}, {"AllScripts.x", true, 0, 1}, {"AllScriptsX", false, 0, 1}},
         {"AllScripts", "AllScripts.idx"}, {"AllScripts.idx"}}};
    for (const auto& [entries, lists, stale] : cases) {
        const gameconfig::MissionInstall install = gameconfig::ExamineScriptsFolder(entries);
        EXPECT_EQ(install.lists, lists);
        EXPECT_EQ(install.staleLists, stale);
    }
}

// A taken name gets a number; after a rename that fails, the names already changed are given back.
TEST(InstallationTest, SettingListsAsideNeverLosesOrReplacesAFile) {
    TempFolder dir("skm-lists-");
    for (const char* name : {"AllScripts.cache", "AllScripts.cache.old", "AllScripts.idx"})
        WriteFileBytes(dir.path / name, name);
    const std::string folder = (dir.path / "").string();
    const auto failed = gameconfig::SetAsideMissionLists(folder, Names{"AllScripts.cache", "AllScripts.gone"});
    EXPECT_NE(gameconfig::DescribeFailedSetAside(failed).find("\"AllScripts.gone\" could not"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(dir.path / "AllScripts.cache"), "AllScripts.cache");
    EXPECT_EQ(gameconfig::SetAsideMissionLists(folder, Names{"AllScripts.cache", "AllScripts.idx"}).error, 0u);
    for (const auto& [name, content] :
         {std::pair{"AllScripts.cache", ""}, {"AllScripts.cache.old", "AllScripts.cache.old"},
          {"AllScripts.cache.old2", "AllScripts.cache"}, {"AllScripts.idx.old", "AllScripts.idx"}})
        EXPECT_EQ(ReadFileBytes(dir.path / name), content) << name;
}

TEST(InstallationTest, TheDataFileIsTheWorkingFoldersElseTheOneBesideTheProgram) {
    TempFolder program("skm-place-");
    const fs::path work = program.path / "work", previous = fs::current_path();
    fs::create_directories(work);
    fs::current_path(work);
    const std::string name = "SkirmakerData.dat", beside = (program.path / name).string();
    for (const auto& [inWork, besideProgram, expected] :
         {std::tuple{true, true, name}, {true, false, name}, {false, true, beside}, {false, false, name}}) {
        for (const auto& [folder, there] : {std::pair{work, inWork}, {program.path, besideProgram}})
            there ? WriteFileBytes(folder / name, "") : void(fs::remove(folder / name));
        EXPECT_EQ(gameconfig::ChooseDataFile(name, (program.path / "").string()), expected);
    }
    fs::current_path(previous);
}

}  // namespace
