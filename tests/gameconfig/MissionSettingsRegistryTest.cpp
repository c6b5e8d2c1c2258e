// The install-path lookup and Load/Save against the real registry and file
// system of the test's Wine prefix.
#include "gameconfig/MissionSettings.h"
#include "gameconfig/ProfileFile.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr char kGameKey[] = "Software\\Corvanta\\Voidwake";
// Where the game's 32-bit installer writes; the other view is a 64-bit program's.
constexpr REGSAM kInstallerView = KEY_WOW64_32KEY;
constexpr REGSAM kOtherView = KEY_WOW64_64KEY;

void DeleteGameKey(REGSAM view = kInstallerView) { RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, view, 0); }

// Creates the game key, with InstallPath holding `value` unless it is nullopt.
void SetGameKey(const std::optional<std::string>& value, REGSAM view = kInstallerView) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    if (value) {
        ASSERT_EQ(RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                                 static_cast<DWORD>(value->size() + 1)),
                  ERROR_SUCCESS);
    }
    RegCloseKey(key);
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// An install folder of the test's own, registered as the game's.
class RegistryTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_install);
        SetGameKey(m_install.string());
    }
    void TearDown() override {
        DeleteGameKey();
        DeleteGameKey(kOtherView);
        fs::remove_all(m_install);
    }

    const fs::path m_install = fs::temp_directory_path() / ("skm-install-" + std::to_string(GetTickCount64()));
    const fs::path m_scripts = m_install / "Assets" / "Scripts";
    const fs::path m_file = m_scripts / "scripts.ini";
};

TEST_F(RegistryTest, LooksUpTheInstallPath) {
    const std::string k255(255, 'a');
    const struct {
        const char* what;
        bool keyPresent;
        std::optional<std::string> value;
        std::string installPath;  // empty when the lookup fails
        REGSAM view = kInstallerView;
    } cases[] = {
        {"plain folder", true, "D:\\Games\\Voidwake", "D:\\Games\\Voidwake\\"},
        {"trailing backslash", true, "D:\\Games\\Voidwake\\", "D:\\Games\\Voidwake\\"},
        {"empty value", true, "", "\\"},
        {"255 characters", true, k255, k255 + "\\"},
        {"256 characters", true, std::string(256, 'a'), ""},
        {"key without the value", true, std::nullopt, ""},
        {"key absent", false, std::nullopt, ""},
        {"only in the view the installer does not write", true, "D:\\Games\\Voidwake", "", kOtherView},
    };
    for (const auto& c : cases) {
        DeleteGameKey();
        DeleteGameKey(kOtherView);
        if (c.keyPresent) SetGameKey(c.value, c.view);
        std::string install, scripts;
        EXPECT_EQ(theMissionSettings.GetInstallPath(install), !c.installPath.empty()) << c.what;
        EXPECT_EQ(theMissionSettings.GetScriptsPath(scripts), !c.installPath.empty()) << c.what;
        EXPECT_EQ(install, c.installPath) << c.what;
        EXPECT_EQ(scripts, c.installPath.empty() ? "" : c.installPath + "Assets\\Scripts\\") << c.what;
    }
    CMissionSettings settings;  // the key is absent now: no folder to load from or save to
    settings.m_strSetup = "kept";
    EXPECT_FALSE(settings.Load() || settings.Save());
    EXPECT_EQ(settings.m_strSetup, "kept");
}

TEST_F(RegistryTest, SaveThenLoadThroughTheRegistry) {
    fs::create_directories(m_scripts);
    CMissionSettings saved;
    saved.m_strSetup = "Duel";
    saved.m_strShips[14] = "\"Raptor\"";
    saved.SetTeamSetting(CMissionSettings::kPlayerVsPlayerBit);
    ASSERT_TRUE(saved.Save());
    EXPECT_NE(ReadBytes(m_file).find("\r\nship14=\"Raptor\"\r\nTeamSettings=1\r\n"), std::string::npos);
    CMissionSettings loaded;
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.m_strSetup + loaded.m_strShips[14], "Duel\"Raptor\"");
    EXPECT_EQ(loaded.GetTeamSettings(), 1);
}

TEST_F(RegistryTest, RefusalsLeaveTheFileAndSayWhy) {
    SetLastError(0);
    EXPECT_FALSE(theMissionSettings.Save());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(fs::exists(m_scripts));
    EXPECT_TRUE(theMissionSettings.Load());

    fs::create_directories(m_scripts);
    const std::string utf16("\xFF\xFE[\0M\0]\0", 8);
    std::ofstream(m_file, std::ios::binary) << utf16;
    EXPECT_FALSE(theMissionSettings.Save());
    EXPECT_EQ(GetLastError(), gameconfig::kErrorUnsupportedFile);
    EXPECT_EQ(ReadBytes(m_file), utf16);

    std::ofstream(m_file, std::ios::binary | std::ios::trunc) << "[Mul_Skirmaker]\r\nsetup=old\r\n";
    const HANDLE held = CreateFileA(m_file.string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(theMissionSettings.Save());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(m_file), "[Mul_Skirmaker]\r\nsetup=old\r\n");
}

}  // namespace
