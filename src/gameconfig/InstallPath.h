#pragma once
// How the game's install folder, as stored in the registry, becomes the
// folder and file paths the mission settings use.
#include <cstddef>
#include <string>
#include <string_view>

namespace gameconfig {

// Room for the registry value's data, terminator included.
inline constexpr std::size_t kInstallPathRoom = 256;
inline constexpr char kScriptsFolder[] = "Assets\\Scripts\\";
inline constexpr char kSettingsFileName[] = "scripts.ini";

// Turns the outcome of the registry lookup into the caller's install path.
// `found` is false when the key or value could not be read; `stored` is the
// data the lookup stored. On success `path` holds the text up to its first NUL
// (or all of it when no NUL was stored), ending in exactly one backslash, and
// the result is true; on failure `path` is left unchanged.
bool AdoptInstallPath(bool found, std::string_view stored, std::string& path);

}  // namespace gameconfig
