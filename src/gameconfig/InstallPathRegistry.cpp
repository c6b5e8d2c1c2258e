// The game's install folder, read from its registry key on every call.
#include "gameconfig/InstallPath.h"
#include "gameconfig/MissionSettings.h"

#include <windows.h>

namespace {

constexpr char kGameKey[] = "Software\\Corvanta\\Voidwake";
constexpr char kInstallPathValue[] = "InstallPath";

}  // namespace

bool CMissionSettings::GetInstallPath(std::string& strPath) const {
    HKEY key = nullptr;
    // The game is a 32-bit program: its installer writes the 32-bit view, which
    // on 64-bit Windows is not the view a 64-bit program sees by default.
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) return false;
    BYTE data[gameconfig::kInstallPathRoom];
    DWORD size = sizeof data;
    const LONG queried = RegQueryValueExA(key, kInstallPathValue, nullptr, nullptr, data, &size);
    RegCloseKey(key);
    const bool found = queried == ERROR_SUCCESS;
    const std::string_view stored(reinterpret_cast<const char*>(data), found ? size : 0);
    return gameconfig::AdoptInstallPath(found, stored, strPath);
}

bool CMissionSettings::GetScriptsPath(std::string& strPath) const {
    if (!GetInstallPath(strPath)) return false;
    strPath += gameconfig::kScriptsFolder;
    return true;
}
