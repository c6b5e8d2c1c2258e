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

void DeleteGameKey() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameKey); }

// Creates the game key, with InstallPath holding `value` unless it is nullopt.
void SetGameKey(const std::optional<std::string>& value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr,
                              &key, nullptr),
              ERROR_SUCCESS);
    RegDeleteValueA(key, "InstallPath");
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

class RegistryTest : public testing::Test {
protected:
    void SetUp() override { DeleteGameKey(); }
    void TearDown() override { DeleteGameKey(); }
};

struct LookupCase {
    const char* what;
    bool keyPresent;
    std::optional<std::string> value;
    bool result;
    std::string installPath;
};

const std::string k255(255, 'a');
const std::string k256(256, 'a');

const LookupCase kLookupCases[] = {
    {"plain folder", true, "D:\\Games\\Voidwake", true, "D:\\Games\\Voidwake\\"},
    {"trailing backslash", true, "D:\\Games\\Voidwake\\", true, "D:\\Games\\Voidwake\\"},
    {"empty value", true, "", true, "\\"},
    {"255 characters", true, k255, true, k255 + "\\"},
    {"256 characters", true, k256, false, ""},
    {"key without the value", true, std::nullopt, false, ""},
    {"key absent", false, std::nullopt, false, ""},
};

TEST_F(RegistryTest, LooksUpTheInstallPath) {
    for (const LookupCase& c : kLookupCases) {
        DeleteGameKey();
        if (c.keyPresent) SetGameKey(c.value);
        std::string install, scripts;
        EXPECT_EQ(theMissionSettings.GetInstallPath(install), c.result) << c.what;
        EXPECT_EQ(theMissionSettings.GetScriptsPath(scripts), c.result) << c.what;
        EXPECT_EQ(install, c.installPath) << c.what;
        EXPECT_EQ(scripts, c.result ? c.installPath + "Assets\\Scripts\\" : "") << c.what;
    }
}

// An install folder of the test's own, with or without its scripts folder.
class RegistrySaveTest : public RegistryTest {
protected:
    void SetUp() override {
        RegistryTest::SetUp();
        m_install = fs::temp_directory_path() / ("skm-install-" + std::to_string(GetTickCount64()));
        m_scripts = m_install / "Assets" / "Scripts";
        fs::create_directories(m_install);
        SetGameKey(m_install.string());
    }
    void TearDown() override {
        fs::remove_all(m_install);
        RegistryTest::TearDown();
    }

    fs::path m_install;
    fs::path m_scripts;
};

TEST_F(RegistrySaveTest, SaveThenLoadThroughTheRegistry) {
    fs::create_directories(m_scripts);
    CMissionSettings saved;
    saved.m_strSetup = "Duel";
    saved.m_strShips[14] = "\"Raptor\"";
    saved.SetTeamSetting(CMissionSettings::kPlayerVsPlayerBit);
    saved.SetPlayerShipSetting(CMissionSettings::kPlayerSelectShipsBit);
    ASSERT_TRUE(saved.Save());
    const std::string bytes = ReadBytes(m_scripts / "scripts.ini");
    EXPECT_EQ(bytes.rfind("[Mul_Skirmaker]\r\nsetup=Duel\r\nship1=\r\n", 0), 0u);
    EXPECT_NE(bytes.find("\r\nship14=\"Raptor\"\r\nTeamSettings=1\r\nPlayerShipSettings=4\r\n"), std::string::npos);

    CMissionSettings loaded;
    ASSERT_TRUE(loaded.Load());
    EXPECT_EQ(loaded.m_strSetup, "Duel");
    EXPECT_EQ(loaded.m_strShips[14], "\"Raptor\"");
    EXPECT_EQ(loaded.GetTeamSettings(), 1);
    EXPECT_EQ(loaded.GetPlayerShipSettings(), 4);
}

TEST_F(RegistrySaveTest, MissingScriptsFolderFailsWithPathNotFound) {
    SetLastError(0);
    EXPECT_FALSE(theMissionSettings.Save());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    EXPECT_FALSE(fs::exists(m_scripts));
    EXPECT_TRUE(theMissionSettings.Load());
}

TEST_F(RegistrySaveTest, RefusalsLeaveTheFileAndSayWhy) {
    fs::create_directories(m_scripts);
    const fs::path file = m_scripts / "scripts.ini";
    const std::string utf16("\xFF\xFE[\0M\0]\0", 8);
    std::ofstream(file, std::ios::binary) << utf16;
    EXPECT_FALSE(theMissionSettings.Save());
    EXPECT_EQ(GetLastError(), gameconfig::kErrorUnsupportedFile);
    EXPECT_EQ(ReadBytes(file), utf16);

    std::ofstream(file, std::ios::binary | std::ios::trunc) << "[Mul_Skirmaker]\r\nsetup=old\r\n";
    const HANDLE held = CreateFileA(file.string().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(theMissionSettings.Save());
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    CloseHandle(held);
    EXPECT_EQ(ReadBytes(file), "[Mul_Skirmaker]\r\nsetup=old\r\n");
}

TEST_F(RegistryTest, NoInstallPathMeansNoLoadOrSave) {
    CMissionSettings settings;
    settings.m_strSetup = "kept";
    EXPECT_FALSE(settings.Load());
    EXPECT_FALSE(settings.Save());
    EXPECT_EQ(settings.m_strSetup, "kept");
}

}  // namespace
