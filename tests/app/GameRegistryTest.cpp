// The game's install folder read from the registry of the test's Wine prefix,
// where the game's 32-bit installer writes it.
#include "app/GameRegistry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

namespace {

constexpr char kGameKey[] = "Software\\Corvanta\\Voidwake";

// The 32-bit view, where every dialog test registers the game, and no game at all
// are the dialog tests'; here, the value's limits.
TEST(GameRegistryTest, ReadsTheValueWhereTheGamesInstallerWritesIt) {
    const struct {
        const char* what;
        std::optional<std::string> value;  // nullopt: the key without the value
        files::ErrorCode error;
    } cases[] = {
        {"255 characters", std::string(255, 'a'), 0},
        {"256 characters", std::string(256, 'a'), ERROR_MORE_DATA},
        {"key without the value", std::nullopt, ERROR_FILE_NOT_FOUND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, KEY_WOW64_32KEY, 0);
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr,
                                  &key, nullptr), ERROR_SUCCESS);
        if (c.value)
            RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(c.value->c_str()),
                           c.value->size() + 1);
        RegCloseKey(key);
        std::string stored;
        EXPECT_EQ(CGameRegistry().ReadInstallPath(stored), c.error);
        EXPECT_EQ(stored.c_str(), c.error ? "" : *c.value);
    }
    RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, KEY_WOW64_32KEY, 0);
}

}  // namespace
