#pragma once
// The game's loadout tables, DefaultLoadOut.txt and CustomLoadOut.txt in its
// Assets\Specs\ folder: text tables meant for a spreadsheet, whose ships the
// program takes as known ship names besides its own catalogue.
//
// What a table gives:
// - A row with a cell "SubName" (ignoring case and surrounding blanks) is a
//   header: the rows below it take their sub name from that column, and their
//   race and class from the columns headed "Race" and "Class" when it has them.
//   Rows above the first header are skipped; a later header row starts a new
//   layout for the rows below it.
// - CustomLoadOut.txt keeps its sub names in the third column, so without a
//   header row every row gives its third cell (race and class stay empty).
// - DefaultLoadOut.txt without a header row gives nothing: no column can be
//   told to hold the names, and a wrong cell taken as a known name would hide
//   a real mistake in a ship field, where a missing one only shows a warning.
// - Sub names lose their surrounding blanks (padding, to a spreadsheet). A row
//   too short to have the name cell, or whose name is empty, longer than
//   kMaxNameBytes or holds control characters, is skipped; a race or class
//   cell like that is taken as empty.
// - A file larger than kMaxLoadoutBytes, or holding a NUL byte (binary, or
//   UTF-16 text), gives nothing; a table gives at most kMaxLoadoutShips ships.
#include "files/FileIO.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace catalogue {

enum class LoadoutKind { Default, Custom };

inline constexpr char kSpecsFolder[] = "Assets\\Specs\\";
inline constexpr char kDefaultLoadoutFileName[] = "DefaultLoadOut.txt";
inline constexpr char kCustomLoadoutFileName[] = "CustomLoadOut.txt";
// CustomLoadOut.txt's sub-name column when it has no header row.
inline constexpr std::size_t kCustomSubNameColumn = 2;

inline constexpr std::size_t kMaxLoadoutBytes = 8u << 20;
inline constexpr std::size_t kMaxLoadoutShips = 20000;
inline constexpr std::size_t kMaxNameBytes = 255;

struct LoadoutShip {
    std::string subName;
    std::string race;       // empty when the table has no race column
    std::string shipClass;  // empty when the table has no class column
};

enum class LoadoutStatus {
    Read,        // the file was read; it may still have given no ship
    Missing,     // no such file (or folder)
    Unreadable,  // could not be read, or larger than kMaxLoadoutBytes
    NotText,     // holds NUL bytes
};

struct LoadoutTable {
    LoadoutStatus status = LoadoutStatus::Missing;
    files::ErrorCode error = 0;  // the platform's error number when Unreadable
    bool headerFound = false;
    std::vector<LoadoutShip> ships;  // in the table's order, duplicates kept
};

// The ships of a table's text (status Read or NotText).
LoadoutTable ParseLoadout(std::string_view text, LoadoutKind kind);

// Reads and parses the file at `path`; never fails otherwise than by its status.
LoadoutTable ReadLoadout(const std::string& path, LoadoutKind kind);

// The table's path under the game's install folder, which ends in a separator
// (e.g. "D:\\Games\\Voidwake\\" gives "D:\\Games\\Voidwake\\Assets\\Specs\\DefaultLoadOut.txt").
std::string LoadoutPath(const std::string& installPath, LoadoutKind kind);

struct GameLoadouts {
    LoadoutTable defaults;
    LoadoutTable custom;
};

// Both tables of the game installed at `installPath`.
GameLoadouts ReadGameLoadouts(const std::string& installPath);

}  // namespace catalogue
