#pragma once
// Where the game is installed: the records that name its install folder, and
// how a recorded folder becomes the folder and file paths the mission settings use.
#include "files/FileIO.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace gameconfig {

// Room for the registry value's text in characters, terminator included.
inline constexpr std::size_t kInstallPathRoom = 256;
inline constexpr char kScriptsFolder[] = "Assets\\Scripts\\";
inline constexpr char kSettingsFileName[] = "scripts.ini";

// The records that name the game's install folder: the folder this user
// chose for the program, and the value the game's installer wrote. The
// program keeps them in the registry; tests stand in records of their own.
class InstallRecords {
public:
    virtual ~InstallRecords() = default;
    // The folder this user chose, or empty.
    virtual std::string ChosenFolder() const = 0;
    // Remembers `folder` as this user's choice; 0 or the platform's error.
    virtual files::ErrorCode RememberChosenFolder(const std::string& folder) = 0;
    // Reads the text of the game installer's InstallPath value, at most
    // kInstallPathRoom characters with its terminator, as a path (UTF-8 on
    // Windows); answers 0 or the lookup's own result. A value of a type that
    // holds no text (a number, binary data) is missing (code 2).
    virtual files::ErrorCode ReadInstallPath(std::string& stored) const = 0;
};

// Whether `installPath` (ending in a backslash) holds the game's scripts
// folder; an empty path names no folder and holds none.
bool HoldsScriptsFolder(const std::string& installPath);

// Turns the data the lookup stored into the caller's install path: the text
// up to its first NUL (or all of it when no NUL was stored), ending in
// exactly one backslash. An empty text gives an empty path: it names no
// folder, not the root of the current drive.
std::string AdoptInstallPath(std::string_view stored);

}  // namespace gameconfig
