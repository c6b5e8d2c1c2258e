// The real program in a sandbox (registry value, game folder, working folder),
// used from outside as a user would: one test for each road through it.
#include "DialogHarness.h"

#include <gtest/gtest.h>

#include <string>

using namespace skmtest;

namespace {

class EndToEndTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (!m_program.hProcess) return;
        if (!Exited(0)) TerminateProcess(m_program.hProcess, 1);
        CloseHandle(m_program.hProcess);
        CloseHandle(m_program.hThread);
    }

    // Starts Skirmaker.exe in the sandbox's working folder and waits until its dialog is idle.
    void Start() {
        // The build's path is the host's; Wine sees the host's root as drive Z:.
        std::string line = "\"Z:" + fs::path(SKIRMAKER_EXE).make_preferred().string() + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                   m_game.work.string().c_str(), &startup, &m_program));
        ASSERT_TRUE(m_dialog = WaitForDialog("Skirmaker v1.0 for Voidwake"));
        SendMessageA(m_dialog, WM_NULL, 0, 0);
    }
    HWND Item(int id) const { return GetDlgItem(m_dialog, id); }
    // Sends a message to a control and waits until it is handled, as typing or a click would.
    void Send(int id, UINT message, const char* text = nullptr) const {
        SendMessageA(Item(id), message, 0, reinterpret_cast<LPARAM>(text));
    }
    // Presses a button that answers with a message box, presses the box's
    // button and gives the box's text: its longest static text.
    std::string ClickForBox(int id) const {
        PostMessageA(Item(id), BM_CLICK, 0, 0);
        HWND box = WaitForDialog("Skirmaker");
        std::string text;
        for (HWND child = nullptr; box && (child = FindWindowExA(box, child, "Static", nullptr));)
            if (const std::string candidate = WindowText(child); candidate.size() > text.size()) text = candidate;
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box); }));
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
    WriteFileBytes(m_game.scriptsIni,
                   "; game scripts\r\n[Mul_Arena]\r\nmap=Nebula\r\n\r\n"
                   "[Mul_Skirmaker]\r\nsetup=Old\r\nship1=Old1\r\nTeamSettings=1\r\nPlayerShipSettings=4\r\n\r\n"
                   "[Sp_Campaign]\r\nlevel = 3\r\n");
    Start();
    Send(IDC_SHIP2, WM_SETTEXT, "\"Kestrel\"");
    Send(IDC_SHIP10, WM_SETTEXT, "Dart");
    Send(IDC_PLAYER_VS_AI, BM_CLICK);
    Send(IDC_HOST_SELECT_SHIPS, BM_CLICK);
    EXPECT_EQ(ClickForBox(IDOK), "Game Setup Saved For Voidwake Game Play!");
    ASSERT_TRUE(Exited());
    EXPECT_EQ(ReadFileBytes(m_game.scriptsIni),
              "; game scripts\r\n[Mul_Arena]\r\nmap=Nebula\r\n\r\n"
              "[Mul_Skirmaker]\r\nsetup=Old\r\nship1=Old1\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n"
              "ship2=\"Kestrel\"\r\nship3=\r\nship4=\r\nship5=\r\nship6=\r\nship7=\r\nship8=\r\nship9=\r\n"
              "ship10=Dart\r\nship11=\r\nship12=\r\nship13=\r\nship14=\r\n\r\n"
              "[Sp_Campaign]\r\nlevel = 3\r\n");
    EXPECT_FALSE(fs::exists(m_game.dataFile));
}

TEST_F(EndToEndTest, SaveThenCloseWritesTheSetupAndNotTheGamesFile) {
    const std::string ini = "[Mul_Skirmaker]\r\nsetup=Applied\r\n";
    WriteFileBytes(m_game.scriptsIni, ini);
    Start();
    Send(IDC_SETUPS, WM_SETTEXT, "abc");
    Send(IDC_PLAYER_VS_AI, BM_CLICK);
    Send(IDC_PLAYER_SELECT_SHIPS, BM_CLICK);
    Send(IDC_SAVE, BM_CLICK);
    EXPECT_EQ(IsDlgButtonChecked(m_dialog, IDC_PLAYER_VS_AI), BST_UNCHECKED);  // the form is cleared
    PostMessageA(Item(IDC_CLOSE_BUTTON), BM_CLICK, 0, 0);
    ASSERT_TRUE(Exited());
    // The 65 bytes of one setup titled abc with "Player Select Ships" and "Player vs AI" ticked.
    const std::string abc("\x03" "abc", 4);
    EXPECT_EQ(ReadFileBytes(m_game.dataFile),
              std::string("\x01\x00", 2) + abc + std::string("\xFF\xFF\x01\x00\x0E\x00", 6) + "CSkirmakerData" + abc +
                  std::string(14, '\0') + abc + std::string("\0\0\0\0" "\x01\0\0\0" "\x01\0\0\0" "\0\0\0\0" "\0", 17));
    EXPECT_EQ(ReadFileBytes(m_game.scriptsIni), ini);
}

TEST_F(EndToEndTest, AFailedWriteSaysWhyAndEscThenWritesNothing) {
    fs::remove(m_game.scriptsIni.parent_path());
    Start();
    Send(IDC_PLAYER_VS_PLAYER, BM_CLICK);
    Send(IDC_HOST_SELECT_SHIPS, BM_CLICK);
    EXPECT_EQ(ClickForBox(IDOK), "Error saving to sripts.ini; code 3.");
    EXPECT_FALSE(Exited(500));
    PostKey(Item(IDC_SHIP1), VK_ESCAPE);
    ASSERT_TRUE(Exited());
    EXPECT_TRUE(fs::is_empty(m_game.work));
}

}  // namespace
