#pragma once
// What the game needs, besides the mission's section in its scripts.ini, to
// offer the mission: the mission's script in its scripts folder, and a
// mission list (the AllScripts cache the game makes at a start when it has
// none) made after that script arrived. And where the program's own setups
// are kept, and where Windows may keep another copy of the game's settings.
#include "files/Folder.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

namespace gameconfig {

inline constexpr char kMissionScriptName[] = "Mul_Skirmaker.scr";
inline constexpr char kMissionListName[] = "AllScripts";
// The game's record of the last game, which the mission writes after each one.
inline constexpr char kGameRecordPath[] = "C:\\SkirmakerRecords.txt";

// What a listing of the scripts folder says about the mission.
struct MissionInstall {
    bool hasScript = false;
    // The game's mission lists: files named AllScripts with any extension or
    // none, in any letter case, but for the copies set aside.
    std::vector<std::string> lists;
    // Those made before the script arrived (by its creation or last-write
    // time, whichever is later: a copied file keeps its old write time). An
    // equal time is not before.
    std::vector<std::string> staleLists;
};

MissionInstall ExamineScriptsFolder(std::span<const files::FolderEntry> entries);

// How setting the stale mission lists aside ended.
struct SetAsideResult {
    // Each list's name and the name it has now.
    std::vector<std::pair<std::string, std::string>> renamed;
    // The list that could not be renamed and why; empty and 0 on success.
    // The lists renamed before it have their names back, but for those
    // left in `renamed`.
    std::string failed;
    files::ErrorCode error = 0;
};

// Renames each of `names` in `folder` (ending in a separator) to its name
// with ".old" added, or ".old2", ".old3"... where that is taken, so the game
// makes a new list: never deleting it, never replacing a file. All or none:
// after a failure, the lists renamed before are given their names back.
SetAsideResult SetAsideMissionLists(const std::string& folder, std::span<const std::string> names);

// What the user must know about a failed set-aside: what failed, why, and
// what was left renamed. Empty after a success.
std::string DescribeFailedSetAside(const SetAsideResult& result);

// The data file a run uses, named `fileName`: the working folder's, by its
// bare name, when it is there; else the one in `programFolder` (ending in a
// separator) when that is there; else the working folder's, which the first
// save makes.
std::string ChooseDataFile(const std::string& fileName, const std::string& programFolder);

// Where Windows keeps the copy of `path` (on a drive, such as "C:\...") that
// it shows to older programs run without administrator rights when they
// write under protected folders such as Program Files; empty for other paths.
std::string VirtualStoreCopy(const std::string& localAppData, const std::string& path);

}  // namespace gameconfig
