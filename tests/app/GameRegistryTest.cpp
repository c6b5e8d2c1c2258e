// The game's install folder read from the registry of the test's Wine prefix,
// where the game's 32-bit installer writes it.
#include "app/GameRegistry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace {

constexpr char kGameKey[] = "Software\\Corvanta\\Voidwake";

TEST(GameRegistryTest, ReadsTheValueWhereTheGamesInstallerWritesIt) {
    const struct {
        const char* what;
        std::optional<std::string> value;  // nullopt: the key without the value
        REGSAM view;
        files::ErrorCode error;
    } cases[] = {
        {"plain folder", "D:\\Games\\Voidwake", KEY_WOW64_32KEY, 0},
        {"255 characters", std::string(255, 'a'), KEY_WOW64_32KEY, 0},
        {"256 characters", std::string(256, 'a'), KEY_WOW64_32KEY, ERROR_MORE_DATA},
        {"key without the value", std::nullopt, KEY_WOW64_32KEY, ERROR_FILE_NOT_FOUND},
        {"only in the 64-bit view", "D:\\Games\\Voidwake", KEY_WOW64_64KEY, ERROR_FILE_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, view, 0);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | c.view, nullptr, &key,
                                  nullptr), ERROR_SUCCESS);
        if (c.value)
            RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.value->c_str()),
                           c.value->size() + 1);
        RegCloseKey(key);
        std::string stored;
        EXPECT_EQ(CGameRegistry().ReadInstallPath(stored), c.error);
        EXPECT_EQ(stored.c_str(), c.error ? "" : *c.value);
    }
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, view, 0);
    std::string stored;
    EXPECT_EQ(CGameRegistry().ReadInstallPath(stored), static_cast<files::ErrorCode>(ERROR_FILE_NOT_FOUND));
}

}  // namespace
