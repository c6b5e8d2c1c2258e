#include "app/GameRegistry.h"

#include "files/WideText.h"

#include <windows.h>

namespace {

constexpr wchar_t kGameKey[] = L"Software\\Corvanta\\Voidwake";
constexpr wchar_t kInstallPathValue[] = L"InstallPath";
// The program's own settings, for this user only.
constexpr wchar_t kProgramKey[] = L"Software\\Halvane\\Skirmaker";
constexpr wchar_t kGameFolderValue[] = L"GameFolder";
// The longest path Windows handles, terminator included.
constexpr DWORD kPathRoom = 32768;

// Reads the text value `name` of `key` (or of its subkey `subKey`) as UTF-8,
// at most `room` characters with the terminator; REG_EXPAND_SZ comes
// expanded. A value of another type names no folder: it counts as missing.
files::ErrorCode ReadTextValue(HKEY key, const wchar_t* subKey, const wchar_t* name, DWORD room, std::string& text) {
    std::wstring data(room, L'\0');
    DWORD size = room * sizeof(wchar_t);
    const LONG result = RegGetValueW(key, subKey, name, RRF_RT_REG_SZ, nullptr, data.data(), &size);
    if (result == ERROR_UNSUPPORTED_TYPE) return ERROR_FILE_NOT_FOUND;
    if (result != ERROR_SUCCESS) return static_cast<files::ErrorCode>(result);
    data.resize(size / sizeof(wchar_t));
    text = files::Narrow(data.substr(0, data.find(L'\0')));
    return 0;
}

}  // namespace

std::string CGameRegistry::ChosenFolder() const {
    std::string folder;
    ReadTextValue(HKEY_CURRENT_USER, kProgramKey, kGameFolderValue, kPathRoom, folder);
    return folder;
}

files::ErrorCode CGameRegistry::RememberChosenFolder(const std::string& folder) {
    HKEY key = nullptr;
    LONG result = RegCreateKeyExW(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return static_cast<files::ErrorCode>(result);
    const std::wstring data = files::Widen(folder);
    result = RegSetValueExW(key, kGameFolderValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                            static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
    return static_cast<files::ErrorCode>(result);
}

files::ErrorCode CGameRegistry::ReadInstallPath(std::string& stored) const {
    HKEY key = nullptr;
    // The game is a 32-bit program: its installer writes the 32-bit view, which
    // on 64-bit Windows is not the view a 64-bit program sees by default.
    const LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, kGameKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key);
    if (opened != ERROR_SUCCESS) return static_cast<files::ErrorCode>(opened);
    const files::ErrorCode queried =
        ReadTextValue(key, nullptr, kInstallPathValue, static_cast<DWORD>(gameconfig::kInstallPathRoom), stored);
    RegCloseKey(key);
    return queried;
}
