// The game's install folder read from the registry of the test's Wine prefix,
// where the game's 32-bit installer writes it.
#include "app/GameRegistry.h"
#include "gameconfig/MissionSettings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

constexpr wchar_t kGameKey[] = L"Software\\Corvanta\\Voidwake";

// The 32-bit view, where every dialog test registers the game, and no game at all
// are the dialog tests'; here, the value's limits, types and characters.
TEST(GameRegistryTest, ReadsTheValueWhereTheGamesInstallerWritesIt) {
    // The install folder found, or the lookup's error; REG_NONE: the key without the value.
    const struct { const char* what; DWORD type; std::wstring data; std::string found; } cases[] = {
        {"255 characters", REG_SZ, std::wstring(255, L'a'), std::string(255, 'a') + "\\"},
        {"256 characters", REG_SZ, std::wstring(256, L'a'), "234"},
        {"to expand, Cyrillic and Japanese", REG_EXPAND_SZ, L"%SystemDrive%\\Игры\\ゲーム", "C:\\Игры\\ゲーム\\"},
        {"key without the value", REG_NONE, L"", "2"},
        // Not the root of the current drive, nor a number or bytes taken for a path.
        {"empty", REG_SZ, L"", "2"}, {"a number", REG_DWORD, L"\\\\", "2"}, {"bytes", REG_BINARY, L"C:\\", "2"},
    };
    CGameRegistry registry;
    CMissionSettings settings;
    settings.SetInstallRecords(&registry);
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Halvane\\Skirmaker");  // no folder chosen
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kGameKey, KEY_WOW64_32KEY, 0);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                                  &key, nullptr), ERROR_SUCCESS);
        if (c.type != REG_NONE)
            RegSetValueExW(key, L"InstallPath", 0, c.type, reinterpret_cast<const BYTE*>(c.data.c_str()),
                           c.type == REG_DWORD ? 4 : (c.data.size() + 1) * sizeof(wchar_t));
        RegCloseKey(key);
        std::string path;
        EXPECT_EQ(settings.GetInstallPath(path) ? path : std::to_string(settings.GetLastError()), c.found);
    }
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, kGameKey, KEY_WOW64_32KEY, 0);
}

}  // namespace
