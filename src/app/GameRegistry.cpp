#include "app/GameRegistry.h"

#include <windows.h>

namespace {

constexpr char kGameKey[] = "Software\\Corvanta\\Voidwake";
constexpr char kInstallPathValue[] = "InstallPath";
// The program's own settings, for this user only.
constexpr char kProgramKey[] = "Software\\Halvane\\Skirmaker";
constexpr char kGameFolderValue[] = "GameFolder";

}  // namespace

std::string CGameRegistry::ChosenFolder() const {
    char folder[MAX_PATH * 4];
    DWORD size = sizeof folder;
    if (RegGetValueA(HKEY_CURRENT_USER, kProgramKey, kGameFolderValue, RRF_RT_REG_SZ, nullptr, folder, &size) !=
        ERROR_SUCCESS)
        return {};
    return folder;
}

files::ErrorCode CGameRegistry::RememberChosenFolder(const std::string& folder) {
    HKEY key = nullptr;
    LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return static_cast<files::ErrorCode>(result);
    result = RegSetValueExA(key, kGameFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(folder.c_str()),
                            static_cast<DWORD>(folder.size() + 1));
    RegCloseKey(key);
    return static_cast<files::ErrorCode>(result);
}

files::ErrorCode CGameRegistry::ReadInstallPath(std::string& stored) const {
    HKEY key = nullptr;
    // The game is a 32-bit program: its installer writes the 32-bit view, which
    // on 64-bit Windows is not the view a 64-bit program sees by default.
    const LONG opened = RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key);
    if (opened != ERROR_SUCCESS) return static_cast<files::ErrorCode>(opened);
    BYTE data[gameconfig::kInstallPathRoom];
    DWORD size = sizeof data;
    const LONG queried = RegQueryValueExA(key, kInstallPathValue, nullptr, nullptr, data, &size);
    RegCloseKey(key);
    if (queried != ERROR_SUCCESS) return static_cast<files::ErrorCode>(queried);
    stored.assign(reinterpret_cast<const char*>(data), size);
    return 0;
}
