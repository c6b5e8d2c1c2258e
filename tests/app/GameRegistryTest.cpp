// The game's install folder read from the registry of the test's Wine prefix,
// where the game's 32-bit installer writes it, and the error numbers that the
// program shows when the game's settings cannot be read or written.
#include "DialogHarness.h"

#include "app/GameRegistry.h"
#include "gameconfig/MissionSettings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace skmtest;

namespace {

constexpr char kGameKey[] = "Software\\Corvanta\\Voidwake";

void SetValue(const std::optional<std::string>& value, REGSAM view) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (value)
        RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                       static_cast<DWORD>(value->size() + 1));
    RegCloseKey(key);
}

void DeleteKeys() {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, view, 0);
}

TEST(GameRegistryTest, ReadsTheValueWhereTheGamesInstallerWritesIt) {
    const struct {
        const char* what;
        std::optional<std::string> value;  // nullopt: the key without the value
        REGSAM view;
        files::ErrorCode error;
        std::string stored;
    } cases[] = {
        {"plain folder", "D:\\Games\\Voidwake", KEY_WOW64_32KEY, 0, "D:\\Games\\Voidwake"},
        {"255 characters", std::string(255, 'a'), KEY_WOW64_32KEY, 0, std::string(255, 'a')},
        {"256 characters", std::string(256, 'a'), KEY_WOW64_32KEY, ERROR_MORE_DATA, ""},
        {"key without the value", std::nullopt, KEY_WOW64_32KEY, ERROR_FILE_NOT_FOUND, ""},
        {"only in the 64-bit view", "D:\\Games\\Voidwake", KEY_WOW64_64KEY, ERROR_FILE_NOT_FOUND, ""},
    };
    for (const auto& c : cases) {
        DeleteKeys();
        SetValue(c.value, c.view);
        std::string stored;
        EXPECT_EQ(CGameRegistry().ReadInstallPath(stored), c.error) << c.what;
        EXPECT_EQ(stored.substr(0, stored.find('\0')), c.stored) << c.what;
    }
    DeleteKeys();
    std::string stored;
    EXPECT_EQ(CGameRegistry().ReadInstallPath(stored), static_cast<files::ErrorCode>(ERROR_FILE_NOT_FOUND));
}

TEST(GameRegistryTest, SettingsThatCannotBeWrittenGiveThePlatformsReason) {
    GameSandbox game;
    const std::string folder = game.InstallFolder() + "\\Assets\\Scripts";
    RemoveDirectoryA(folder.c_str());
    EXPECT_FALSE(theMissionSettings.Save());
    EXPECT_EQ(theMissionSettings.GetLastError(), static_cast<files::ErrorCode>(ERROR_PATH_NOT_FOUND));

    const std::string before = "[Mul_Skirmaker]\r\nsetup=old\r\n";
    game.WriteScriptsIni(before);
    HANDLE held = CreateFileA(game.ScriptsIni().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(theMissionSettings.Save());
    EXPECT_EQ(theMissionSettings.GetLastError(), static_cast<files::ErrorCode>(ERROR_SHARING_VIOLATION));
    CloseHandle(held);
    EXPECT_EQ(game.ReadScriptsIni(), before);
    EXPECT_TRUE(theMissionSettings.Save() && theMissionSettings.Load());
}

}  // namespace
