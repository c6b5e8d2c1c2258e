#include "app/GameRegistry.h"

#include <windows.h>

namespace {

constexpr char kGameKey[] = "Software\\Corvanta\\Voidwake";
constexpr char kInstallPathValue[] = "InstallPath";

}  // namespace

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
