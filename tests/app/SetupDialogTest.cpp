// The setup dialog driven through real messages: start-up, the game-mode
// rules, ship fields, "Select" and the ways out.
#include "DialogHarness.h"

#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"
#include "ui/SkirmakerDlg.h"

#include <gtest/gtest.h>

#include <memory>

using namespace skmtest;

namespace {

constexpr int kPlayerShipEdits[] = {IDC_SHIP9, IDC_SHIP10, IDC_SHIP11, IDC_SHIP12, IDC_SHIP13, IDC_SHIP14};

std::string MissionIni(const std::string& teamSettings, const std::string& playerShipSettings) {
    return "[Mul_Skirmaker]\r\nsetup=Concord Planet Assault\r\nship1=\"Kestrel\"\r\nship9=Dart\r\n"
           "TeamSettings=" + teamSettings + "\r\nPlayerShipSettings=" + playerShipSettings + "\r\n";
}

class SetupDialogTest : public ::testing::Test {
protected:
    void SetUp() override { theMissionSettings = CMissionSettings(); }

    void TearDown() override {
        if (m_ui && !m_ui->Finished()) {
            PostMessageA(m_dlg->m_hWnd, WM_COMMAND, IDCANCEL, 0);
            m_ui->Join();
        }
    }

    // Opens the dialog on its own thread and waits until it has started up.
    void Open() {
        m_ui = std::make_unique<UiThread>([this] { m_result = m_dlg->DoModal(); });
        ASSERT_TRUE(WaitFor([this] { return m_dlg->m_hWnd && IsWindowVisible(m_dlg->m_hWnd); }));
        m_ui->Flush();
    }

    HWND Item(int id) const { return GetDlgItem(m_dlg->m_hWnd, id); }
    bool Checked(int id) const { return SendMessageA(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }
    void Click(int id) { SendMessageA(Item(id), BM_CLICK, 0, 0); }
    void Type(int id, const std::string& text) {
        SendMessageA(Item(id), EM_SETSEL, 0, -1);
        TypeText(*m_ui, Item(id), text);
    }
    bool PlayerShipsEnabled(bool enabled) const {
        for (int id : kPlayerShipEdits)
            if ((IsWindowEnabled(Item(id)) != FALSE) != enabled) return false;
        return true;
    }
    // Ends the dialog as Esc does and waits until it is gone.
    void Cancel() {
        PostKey(Item(IDC_SHIP1), VK_ESCAPE);
        ASSERT_TRUE(m_ui->Join());
    }

    GameSandbox m_game;
    MessageBoxRecorder m_boxes;
    std::unique_ptr<CSkirmakerDlg> m_dlg = std::make_unique<CSkirmakerDlg>();
    std::unique_ptr<UiThread> m_ui;
    INT_PTR m_result = 0;
};

TEST_F(SetupDialogTest, WithoutTheGameStartUpReportsOnceAndLeavesTheDialogEmpty) {
    SetInstallPath(nullptr, false);
    Open();
    const auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("Error reading from skirmaker.ini; code ", 0), 0u) << boxes[0].text;
    EXPECT_EQ(boxes[0].text.back(), '.');
    EXPECT_EQ(boxes[0].caption, AfxGetAppTitle());
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[0].owner, m_dlg->m_hWnd);
    EXPECT_EQ(SendMessageA(Item(IDC_CATALOGUE), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(WindowText(Item(IDC_SETUP_TITLE)), "");
    EXPECT_EQ(WindowText(Item(IDC_RACE)), "");
    EXPECT_TRUE(PlayerShipsEnabled(true));
    Cancel();
}

struct ModeCase {
    const char* team;
    const char* playerShips;
    bool playerVsPlayer, playerVsAI, playerSelect, hostSelect;
};

class StartUpModeTest : public SetupDialogTest, public ::testing::WithParamInterface<ModeCase> {};

TEST_P(StartUpModeTest, ModeBoxesReplayTheGamesBits) {
    const ModeCase& mode = GetParam();
    m_game.WriteScriptsIni(MissionIni(mode.team, mode.playerShips));
    Open();
    EXPECT_TRUE(m_boxes.Boxes().empty());
    EXPECT_EQ(Checked(IDC_PLAYER_VS_PLAYER), mode.playerVsPlayer);
    EXPECT_EQ(Checked(IDC_PLAYER_VS_AI), mode.playerVsAI);
    EXPECT_EQ(Checked(IDC_PLAYER_SELECT_SHIPS), mode.playerSelect);
    EXPECT_EQ(Checked(IDC_HOST_SELECT_SHIPS), mode.hostSelect);
    EXPECT_TRUE(PlayerShipsEnabled(!mode.playerSelect));
    EXPECT_EQ(WindowText(Item(IDC_SETUP_TITLE)), "Concord Planet Assault");
    EXPECT_EQ(WindowText(Item(IDC_SHIP1)), "\"Kestrel\"");
    EXPECT_EQ(WindowText(Item(IDC_SHIP9)), "Dart");
    Cancel();
}

INSTANTIATE_TEST_SUITE_P(Bits, StartUpModeTest,
                         ::testing::Values(ModeCase{"3", "12", true, false, true, false},
                                           ModeCase{"2", "8", false, true, false, true},
                                           ModeCase{"1", "4", true, false, true, false},
                                           ModeCase{"0", "0", false, false, false, false},
                                           ModeCase{"", "", false, false, false, false},
                                           ModeCase{"abc", "8", false, false, false, true}));

TEST_F(SetupDialogTest, LongValuesAreCutTo63Characters) {
    const std::string longName(70, 'x');
    m_game.WriteScriptsIni("[Mul_Skirmaker]\r\nsetup=" + longName + "\r\nship14=" + longName + "\r\n");
    Open();
    EXPECT_EQ(WindowText(Item(IDC_SETUP_TITLE)), longName.substr(0, 63));
    EXPECT_EQ(WindowText(Item(IDC_SHIP14)), longName.substr(0, 63));
    Cancel();
}

TEST_F(SetupDialogTest, ModeBoxesBehaveAsTwoOptionPairs) {
    m_game.WriteScriptsIni(MissionIni("1", "8"));
    Open();
    Click(IDC_PLAYER_VS_AI);
    EXPECT_TRUE(Checked(IDC_PLAYER_VS_AI));
    EXPECT_FALSE(Checked(IDC_PLAYER_VS_PLAYER));
    EXPECT_TRUE(PlayerShipsEnabled(true));

    Click(IDC_PLAYER_VS_AI);  // a checked box stays checked
    EXPECT_TRUE(Checked(IDC_PLAYER_VS_AI));
    EXPECT_FALSE(Checked(IDC_PLAYER_VS_PLAYER));

    Click(IDC_PLAYER_SELECT_SHIPS);
    EXPECT_TRUE(Checked(IDC_PLAYER_SELECT_SHIPS));
    EXPECT_FALSE(Checked(IDC_HOST_SELECT_SHIPS));
    EXPECT_TRUE(PlayerShipsEnabled(false));
    EXPECT_EQ(WindowText(Item(IDC_SHIP9)), "Dart");  // disabled fields keep their text

    Click(IDC_HOST_SELECT_SHIPS);
    EXPECT_TRUE(Checked(IDC_HOST_SELECT_SHIPS));
    EXPECT_FALSE(Checked(IDC_PLAYER_SELECT_SHIPS));
    EXPECT_TRUE(PlayerShipsEnabled(true));
    EXPECT_TRUE(Checked(IDC_PLAYER_VS_AI));  // the pairs are independent

    // The record's bits accumulate until Select rebuilds them.
    EXPECT_EQ(theMissionSettings.GetTeamSettings(), 3);
    EXPECT_EQ(theMissionSettings.GetPlayerShipSettings(), 12);
    Cancel();
}

TEST_F(SetupDialogTest, TypingInAShipFieldTakesEveryControlIntoTheMembers) {
    m_game.WriteScriptsIni(MissionIni("2", "8"));
    Open();
    // Text that no transfer has taken yet.
    SetWindowTextA(Item(IDC_COMMENTS), "note");
    SendMessageA(Item(IDC_PLAYER_VS_PLAYER), BM_SETCHECK, BST_CHECKED, 0);
    Type(IDC_SHIP3, "wasp 2");
    EXPECT_EQ(theMissionSettings.m_strShips[3], "wasp 2");
    EXPECT_EQ(m_dlg->m_strShip3, "wasp 2");
    EXPECT_EQ(m_dlg->m_strComments, "note");
    EXPECT_EQ(m_dlg->m_bPlayerVsPlayer, 1);
    Type(IDC_SHIP12, "\"Kestrel\"");
    EXPECT_EQ(theMissionSettings.m_strShips[12], "\"Kestrel\"");
    Cancel();
}

struct SelectCase {
    int teamBox, shipBox;
    const char* team;
    const char* playerShips;
};

class SelectModeTest : public SetupDialogTest, public ::testing::WithParamInterface<SelectCase> {};

TEST_P(SelectModeTest, SelectWritesTheModeAndEndsTheProgram) {
    const SelectCase& mode = GetParam();
    m_game.WriteScriptsIni("[Other]\r\nkeep = me\r\n");
    Open();
    Click(mode.teamBox);
    Click(mode.shipBox);
    Click(IDOK);
    ASSERT_TRUE(m_ui->Join());
    EXPECT_EQ(m_result, IDOK);
    const auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Game Setup Saved For Voidwake Game Play!");
    EXPECT_EQ(boxes[0].caption, AfxGetAppTitle());
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONINFORMATION));
    const std::string ini = m_game.ReadScriptsIni();
    EXPECT_EQ(ini.rfind("[Other]\r\nkeep = me\r\n[Mul_Skirmaker]\r\nsetup=\r\nship1=\r\n", 0), 0u) << ini;
    EXPECT_NE(ini.find(std::string("\r\nTeamSettings=") + mode.team + "\r\nPlayerShipSettings=" + mode.playerShips + "\r\n"),
              std::string::npos) << ini;
    EXPECT_FALSE(FileExists(m_game.DataFile()));
}

INSTANTIATE_TEST_SUITE_P(Modes, SelectModeTest,
                         ::testing::Values(SelectCase{IDC_PLAYER_VS_AI, IDC_HOST_SELECT_SHIPS, "2", "8"},
                                           SelectCase{IDC_PLAYER_VS_PLAYER, IDC_PLAYER_SELECT_SHIPS, "1", "4"},
                                           SelectCase{IDC_PLAYER_VS_PLAYER, IDC_HOST_SELECT_SHIPS, "1", "8"},
                                           SelectCase{IDC_PLAYER_VS_AI, IDC_PLAYER_SELECT_SHIPS, "2", "4"}));

TEST_F(SetupDialogTest, SelectWithoutAModeWritesEverythingAndAsksForOptions) {
    Open();
    SetWindowTextA(Item(IDC_SHIP9), "Hidden");
    Click(IDC_PLAYER_VS_AI);
    Click(IDOK);
    m_ui->Flush();
    EXPECT_FALSE(m_ui->Finished());
    const auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "You must select the game setup options from the dialog!");
    EXPECT_EQ(boxes[0].caption, "No Option Selected!");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[0].owner, m_dlg->m_hWnd);
    EXPECT_EQ(m_game.ReadScriptsIni(),
              "[Mul_Skirmaker]\r\nsetup=\r\nship1=\r\nship2=\r\nship3=\r\nship4=\r\nship5=\r\nship6=\r\n"
              "ship7=\r\nship8=\r\nship9=Hidden\r\nship10=\r\nship11=\r\nship12=\r\nship13=\r\nship14=\r\n"
              "TeamSettings=2\r\nPlayerShipSettings=0\r\n");
    EXPECT_EQ(WindowText(Item(IDC_SHIP9)), "Hidden");
    Cancel();
}

TEST_F(SetupDialogTest, DisabledPlayerShipsAreStillWritten) {
    m_game.WriteScriptsIni(MissionIni("1", "4"));
    Open();
    ASSERT_TRUE(PlayerShipsEnabled(false));
    Click(IDOK);
    ASSERT_TRUE(m_ui->Join());
    EXPECT_NE(m_game.ReadScriptsIni().find("\r\nship9=Dart\r\n"), std::string::npos);
}

TEST_F(SetupDialogTest, AFailedSelectReportsTheRealErrorAndWritesNothing) {
    RemoveDirectoryA((m_game.InstallFolder() + "\\Assets\\Scripts").c_str());
    Open();
    Click(IDC_PLAYER_VS_AI);
    Click(IDC_HOST_SELECT_SHIPS);
    Click(IDOK);
    m_ui->Flush();
    EXPECT_FALSE(m_ui->Finished());
    const auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error saving to sripts.ini; code 3.");
    EXPECT_EQ(boxes[0].caption, AfxGetAppTitle());
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(FileExists(m_game.ScriptsIni()));
    Cancel();
}

TEST_F(SetupDialogTest, EnterInAShipFieldRunsSelect) {
    m_game.WriteScriptsIni(MissionIni("2", "8"));
    Open();
    PostKey(Item(IDC_SHIP5), VK_RETURN);
    ASSERT_TRUE(m_ui->Join());
    EXPECT_EQ(m_result, IDOK);
    ASSERT_EQ(m_boxes.Boxes().size(), 1u);
    EXPECT_EQ(m_boxes.Boxes()[0].text, "Game Setup Saved For Voidwake Game Play!");
}

TEST_F(SetupDialogTest, EnterInTheCommentsStartsANewLine) {
    Open();
    SetFocus(Item(IDC_COMMENTS));
    Type(IDC_COMMENTS, "a");
    PostKey(Item(IDC_COMMENTS), VK_RETURN);
    TypeText(*m_ui, Item(IDC_COMMENTS), "b");
    EXPECT_FALSE(m_ui->Finished());
    EXPECT_EQ(WindowText(Item(IDC_COMMENTS)), "a\r\nb");
    EXPECT_TRUE(m_boxes.Boxes().empty());
    Cancel();
}

TEST_F(SetupDialogTest, EscAndTheCloseBoxWriteNothing) {
    const std::string before = MissionIni("2", "8");
    m_game.WriteScriptsIni(before);
    for (UINT how : {0u, 1u}) {
        m_dlg = std::make_unique<CSkirmakerDlg>();
        Open();
        Type(IDC_SHIP2, "changed");
        if (how == 0)
            PostKey(Item(IDC_SHIP2), VK_ESCAPE);
        else
            PostMessageA(m_dlg->m_hWnd, WM_CLOSE, 0, 0);
        ASSERT_TRUE(m_ui->Join());
        EXPECT_EQ(m_result, IDCANCEL);
        EXPECT_EQ(m_game.ReadScriptsIni(), before);
        EXPECT_FALSE(FileExists(m_game.DataFile()));
    }
}

}  // namespace
