// The real program in a sandbox (registry value, game folder, working folder),
// used from outside as a user would: one test for each road through it.
#include "DialogHarness.h"
#include "RemoteDrive.h"

#include <gtest/gtest.h>

#include <string>

using namespace skmtest;

namespace {

const char kCaption[] = "Skirmaker v1.0 for Voidwake";

// The build's paths are the host's; Wine sees the host's root as drive Z:.
std::string WindowsPath(std::string path) {
    for (char& c : path)
        if (c == '/') c = '\\';
    return path.size() > 1 && path[1] == ':' ? path : "Z:" + path;
}

class EndToEndTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (!m_program.hProcess) return;
        if (WaitForSingleObject(m_program.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_program.hProcess, 1);
        CloseHandle(m_program.hProcess);
        CloseHandle(m_program.hThread);
    }

    // Starts Skirmaker.exe in the sandbox's working folder and waits for its dialog.
    void Start() {
        std::string line = "\"" + WindowsPath(SKIRMAKER_EXE) + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   m_game.WorkFolder().c_str(), &startup, &m_program));
        ASSERT_TRUE(m_dialog = remote::WaitForWindow(kCaption));
    }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    void Click(int id) const { remote::Click(Item(id)); }
    // Presses a button that answers with a message box, and dismisses the box.
    std::string ClickForBox(int id, const char* boxCaption) const {
        PostMessageA(Item(id), BM_CLICK, 0, 0);
        std::string text;
        EXPECT_TRUE(remote::AnswerBox(boxCaption, text)) << boxCaption;
        return text;
    }
    bool Exited(DWORD timeoutMs = 20000) const {
        return WaitForSingleObject(m_program.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }

    GameSandbox m_game;
    PROCESS_INFORMATION m_program{};
    HWND m_dialog = nullptr;
};

TEST_F(EndToEndTest, SelectAppliesTheSetupAndLeavesTheRestOfTheFileAlone) {
    m_game.WriteScriptsIni(
        "; game scripts\r\n[Mul_Arena]\r\nmap=Nebula\r\n\r\n"
        "[Mul_Skirmaker]\r\nsetup=Old\r\nship1=Old1\r\nTeamSettings=1\r\nPlayerShipSettings=4\r\n\r\n"
        "[Sp_Campaign]\r\nlevel = 3\r\n");
    Start();
    remote::SetText(Item(1001), "\"Kestrel\"");
    remote::SetText(Item(1026), "Dart");
    Click(1022);
    Click(1024);
    EXPECT_EQ(ClickForBox(1, "Skirmaker"), "Game Setup Saved For Voidwake Game Play!");
    ASSERT_TRUE(Exited());
    EXPECT_EQ(m_game.ReadScriptsIni(),
              "; game scripts\r\n[Mul_Arena]\r\nmap=Nebula\r\n\r\n"
              "[Mul_Skirmaker]\r\nsetup=Old\r\nship1=Old1\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n"
              "ship2=\"Kestrel\"\r\nship3=\r\nship4=\r\nship5=\r\nship6=\r\nship7=\r\nship8=\r\nship9=\r\n"
              "ship10=Dart\r\nship11=\r\nship12=\r\nship13=\r\nship14=\r\n\r\n"
              "[Sp_Campaign]\r\nlevel = 3\r\n");
    EXPECT_FALSE(FileExists(m_game.DataFile()));
}

TEST_F(EndToEndTest, SaveThenCloseWritesTheSetupAndNotTheGamesFile) {
    const std::string ini = "[Mul_Skirmaker]\r\nsetup=Applied\r\n";
    m_game.WriteScriptsIni(ini);
    Start();
    remote::SetText(Item(1006), "abc");
    Click(1022);
    Click(1023);
    Click(1010);
    EXPECT_EQ(remote::TextOf(Item(1032)), "Applied");  // the form is cleared
    PostMessageA(Item(8), BM_CLICK, 0, 0);
    ASSERT_TRUE(Exited());
    // The 65 bytes of one setup titled abc with "Player Select Ships" and "Player vs AI" ticked.
    const std::string abc("\x03" "abc", 4);
    EXPECT_EQ(ReadFileBytes(m_game.DataFile()),
              std::string("\x01\x00", 2) + abc + std::string("\xFF\xFF\x01\x00\x0E\x00", 6) + "CSkirmakerData" + abc +
                  std::string(14, '\0') + abc + std::string("\0\0\0\0" "\x01\0\0\0" "\x01\0\0\0" "\0\0\0\0" "\0", 17));
    EXPECT_EQ(m_game.ReadScriptsIni(), ini);
}

TEST_F(EndToEndTest, AFailedWriteSaysWhyAndEscThenWritesNothing) {
    RemoveDirectoryA((m_game.InstallFolder() + "\\Assets\\Scripts").c_str());
    Start();
    Click(1021);
    Click(1024);
    EXPECT_EQ(ClickForBox(1, "Skirmaker"), "Error saving to sripts.ini; code 3.");
    EXPECT_FALSE(Exited(500));
    remote::PressKey(Item(1000), VK_ESCAPE);
    ASSERT_TRUE(Exited());
    EXPECT_EQ(FolderNames(m_game.WorkFolder()), std::vector<std::string>{});
}

}  // namespace
