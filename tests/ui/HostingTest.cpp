// Hosting help: choosing the game's folder when the registry names none, and
// handing a setup to the players through the clipboard.
#include "DialogHarness.h"

#include "framework/Clipboard.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

using namespace skmtest;

namespace {

// The picker's stand-in: gives the folders of `g_picks` in turn, then cancels.
std::deque<std::string> g_picks;
std::string g_pickerTitle;
std::string Pick(HWND, const char* title, const std::string&) {
    g_pickerTitle = title;
    if (g_picks.empty()) return {};
    std::string folder = g_picks.front();
    g_picks.pop_front();
    return folder;
}

struct PickerStandIn {
    PickerStandIn(std::deque<std::string> picks) : saved(g_pfnBrowseForFolder) {
        g_picks = std::move(picks);
        g_pfnBrowseForFolder = Pick;
    }
    ~PickerStandIn() { g_pfnBrowseForFolder = saved; }
    BrowseForFolderFunction saved;
};

std::string MenuText(HWND dialog, UINT id) {
    char text[512] = {};
    GetMenuStringA(GetSystemMenu(dialog, FALSE), id, text, sizeof text, MF_BYCOMMAND);
    return text;
}

std::string Title(const SetupDialogRun& run) { return WindowText(run.Item(IDC_SETUP_TITLE)); }

TEST(HostingTest, AFolderChosenWithoutTheGameIsLoadedRememberedAndPreferredWhileItHoldsTheGame) {
    GameSandbox game;  // its install folder is the one the user chooses
    WriteFileBytes(game.scriptsIni, "[Mul_Skirmaker]\r\nsetup=Chosen\r\n");
    GameSandbox::RemoveGame();
    const fs::path elsewhere = game.root / "elsewhere";
    fs::create_directories(elsewhere);
    {
        PickerStandIn picker({elsewhere.string(), game.install.string()});
        Answer({IDOK, IDYES, IDYES});  // the error; choose now; choose again after a folder without the game
        SetupDialogRun run;
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[0].text, "Error reading from skirmaker.ini; code 2.");
        EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
        EXPECT_NE(boxes[2].text.find(elsewhere.string()), std::string::npos) << boxes[2].text;
        EXPECT_EQ(Title(run), "Chosen");
        EXPECT_EQ(SendMessageA(run.Item(IDC_CATALOGUE), CB_GETCOUNT, 0, 0), 300);
        EXPECT_NE(MenuText(run.hWnd, IDM_GAMEFOLDER).find(game.install.string()), std::string::npos);
    }
    // The remembered folder wins over the registry's; once it has lost the game, the registry's is used.
    GameSandbox other;
    WriteFileBytes(other.scriptsIni, "[Mul_Skirmaker]\r\nsetup=Registry\r\n");
    theMissionSettings.ChooseInstallFolder(game.install.string());
    for (const char* expected : {"Chosen", "Registry"}) {
        SetupDialogRun run;
        EXPECT_TRUE(Boxes().empty());
        EXPECT_EQ(Title(run), expected);
        fs::remove_all(game.install / "Assets");
    }
}

TEST(HostingTest, NoLeavesTheDialogEmptyUntilAFolderIsChosenFromTheSystemMenu) {
    GameSandbox game;
    WriteFileBytes(game.scriptsIni, "[Mul_Skirmaker]\r\nsetup=Later\r\n");
    GameSandbox::RemoveGame();
    Answer({IDOK, IDNO});
    SetupDialogRun run;
    EXPECT_EQ(SendMessageA(run.Item(IDC_CATALOGUE), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(MenuText(run.hWnd, IDM_GAMEFOLDER), "&Game folder: not found...");
    PickerStandIn picker({game.install.string()});
    PostMessageA(run.hWnd, WM_SYSCOMMAND, IDM_GAMEFOLDER, 0);
    run.ui->Flush();
    EXPECT_EQ(Title(run), "Later");
    EXPECT_EQ(SendMessageA(run.Item(IDC_CATALOGUE), CB_GETCOUNT, 0, 0), 300);
    EXPECT_NE(g_pickerTitle.find("Assets\\Scripts"), std::string::npos);
}

// The host copies; a player pastes (here with the keyboard) into a form whose
// player places are disabled; text that is no setup changes nothing.
TEST(HostingTest, ACopiedSetupPastesIntoAnotherFormAndOtherTextChangesNothing) {
    GameSandbox game;
    WriteFileBytes(game.scriptsIni, "[Mul_Skirmaker]\r\nsetup=Duel\r\nship2=\"Kestrel\"\r\nTeamSettings=2\r\n"
                                    "PlayerShipSettings=8\r\n");
    SetupDialogRun run;
    PostMessageA(run.hWnd, WM_SYSCOMMAND, IDM_COPYSETUP, 0);
    run.ui->Flush();
    std::string copied;
    ASSERT_EQ(AfxGetClipboardText(nullptr, copied, 4096), ClipboardText::Read);
    EXPECT_TRUE(copied.starts_with("; Skirmaker setup: Duel\r\n[Mul_Skirmaker]\r\nsetup=Duel\r\nship1=\r\n")) << copied;
    run.Click(IDC_PLAYER_SELECT_SHIPS);
    SetWindowTextA(run.Item(IDC_SHIP2), "");
    for (const char* clipboard : {"no setup here", copied.c_str()}) {
        ASSERT_TRUE(AfxSetClipboardText(nullptr, clipboard));
        ClearBoxes();
        SendMessageA(run.hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(run.Item(IDC_SHIP3)), TRUE);
        INPUT keys[6] = {};
        const WORD order[] = {VK_CONTROL, VK_SHIFT, 'V'};
        for (int i = 0; i < 3; ++i) {
            keys[i].type = keys[5 - i].type = INPUT_KEYBOARD;
            keys[i].ki.wVk = keys[5 - i].ki.wVk = order[i];
            keys[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
        }
        SendInput(6, keys, sizeof(INPUT));
        WaitFor([&] { return !Boxes().empty() || !WindowText(run.Item(IDC_SHIP2)).empty(); });
        run.ui->Flush();
        const bool isSetup = clipboard == copied.c_str();
        EXPECT_EQ(Boxes().size(), isSetup ? 0u : 1u);
        EXPECT_EQ(WindowText(run.Item(IDC_SHIP2)), isSetup ? "\"Kestrel\"" : "");
        EXPECT_EQ(IsDlgButtonChecked(run.hWnd, IDC_HOST_SELECT_SHIPS), isSetup ? BST_CHECKED : BST_UNCHECKED);
        EXPECT_EQ(IsWindowEnabled(run.Item(IDC_SHIP9)) != FALSE, isSetup);
    }
    EXPECT_FALSE(fs::exists(game.dataFile));
}

}  // namespace
