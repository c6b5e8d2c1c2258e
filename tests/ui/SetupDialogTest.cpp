// The setup dialog driven through real messages: start-up, the mode boxes and
// ship fields, "Select" and the ways out.
#include "DialogHarness.h"

#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace skmtest;

namespace {

constexpr int kPlayerShipEdits[] = {IDC_SHIP9, IDC_SHIP10, IDC_SHIP11, IDC_SHIP12, IDC_SHIP13, IDC_SHIP14};

const std::string kLong(70, 'x');
const std::string kMissionIni = "[Mul_Skirmaker]\r\nsetup=Concord Planet Assault\r\nship1=\"Kestrel\"\r\nship9=Dart\r\n"
                                "ship14=" + kLong + "\r\nTeamSettings=3\r\nPlayerShipSettings=12\r\n";

bool Checked(const SetupDialogRun& run, int id) { return SendMessageA(run.Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// "1010"-style states of the boxes "vs player, vs AI, player select, host select".
std::string Boxes(const SetupDialogRun& run) {
    std::string boxes;
    for (int id : {IDC_PLAYER_VS_PLAYER, IDC_PLAYER_VS_AI, IDC_PLAYER_SELECT_SHIPS, IDC_HOST_SELECT_SHIPS})
        boxes += Checked(run, id) ? '1' : '0';
    return boxes;
}

// 1 when P1-P6 are all enabled, 0 when all are disabled, -1 when mixed.
int PlayerShips(const SetupDialogRun& run) {
    int on = 0;
    for (int id : kPlayerShipEdits) on += IsWindowEnabled(run.Item(id)) ? 1 : 0;
    return on == 6 ? 1 : on == 0 ? 0 : -1;
}

class SetupDialogTest : public ::testing::Test {
protected:
    GameSandbox m_game;
    MessageBoxRecorder m_boxes;
};

TEST_F(SetupDialogTest, WithoutTheGameStartUpSaysWhyOnceAndLeavesTheDialogEmpty) {
    SetInstallPath(nullptr, false);
    SetupDialogRun run;
    const auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error reading from skirmaker.ini; code 2.");  // the registry's own answer
    EXPECT_EQ(boxes[0].caption, AfxGetAppTitle());
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[0].owner, run.hWnd);
    EXPECT_EQ(SendMessageA(run.Item(IDC_CATALOGUE), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(WindowText(run.Item(IDC_SETUP_TITLE)) + WindowText(run.Item(IDC_RACE)), "");
    EXPECT_EQ(PlayerShips(run), 1);
}

TEST_F(SetupDialogTest, StartUpShowsTheGamesSetupAndTheBoxesActAsTwoPairs) {
    m_game.WriteScriptsIni(kMissionIni);
    SetupDialogRun run;
    EXPECT_TRUE(m_boxes.Boxes().empty());
    EXPECT_EQ(WindowText(run.Item(IDC_SETUP_TITLE)), "Concord Planet Assault");
    EXPECT_EQ(WindowText(run.Item(IDC_SHIP1)), "\"Kestrel\"");
    EXPECT_EQ(WindowText(run.Item(IDC_SHIP14)), kLong.substr(0, 63));
    // Both bits of each pair are set: the first box of a pair wins.
    EXPECT_EQ(Boxes(run), "1010");
    EXPECT_EQ(PlayerShips(run), 0);
    const struct {
        int click;
        const char* boxes;
        int playerShips;
    } clicks[] = {{IDC_PLAYER_VS_AI, "0110", 0}, {IDC_PLAYER_VS_AI, "0110", 0}, {IDC_HOST_SELECT_SHIPS, "0101", 1},
                  {IDC_PLAYER_SELECT_SHIPS, "0110", 0}, {IDC_PLAYER_VS_PLAYER, "1010", 0}};
    for (const auto& c : clicks) {
        run.Click(c.click);
        EXPECT_EQ(Boxes(run), c.boxes) << c.click;
        EXPECT_EQ(PlayerShips(run), c.playerShips) << c.click;
    }
    EXPECT_EQ(WindowText(run.Item(IDC_SHIP9)), "Dart");  // disabled fields keep their text
}

TEST_F(SetupDialogTest, TypingInAShipFieldTakesEveryControlIntoTheMembers) {
    SetupDialogRun run;
    SetWindowTextA(run.Item(IDC_COMMENTS), "note");  // text that no transfer has taken yet
    SendMessageA(run.Item(IDC_PLAYER_VS_PLAYER), BM_SETCHECK, BST_CHECKED, 0);
    run.Type(IDC_SHIP3, "wasp 2");
    EXPECT_EQ(theMissionSettings.m_strShips[3], "wasp 2");
    EXPECT_EQ(run.dlg->m_strComments, "note");
    EXPECT_EQ(run.dlg->m_bPlayerVsPlayer, 1);
    run.Type(IDC_SHIP12, "\"Kestrel\"");
    EXPECT_EQ(theMissionSettings.m_strShips[12], "\"Kestrel\"");
}

TEST_F(SetupDialogTest, SelectWritesTheSetupDisabledShipsIncludedConfirmsAndEnds) {
    m_game.WriteScriptsIni("[Other]\r\nkeep = me\r\n");
    SetupDialogRun run;
    run.Click(IDC_PLAYER_VS_AI);
    run.Click(IDC_PLAYER_SELECT_SHIPS);
    SetWindowTextA(run.Item(IDC_SHIP9), "Hidden");
    PostKey(run.Item(IDC_SHIP5), VK_RETURN);  // Enter in a ship field is "Select"
    ASSERT_TRUE(run.ui->Join());
    EXPECT_EQ(run.result, IDOK);
    const auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Game Setup Saved For Voidwake Game Play!");
    EXPECT_EQ(boxes[0].caption, AfxGetAppTitle());
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_ICONINFORMATION));
    EXPECT_EQ(m_game.ReadScriptsIni(),
              "[Other]\r\nkeep = me\r\n[Mul_Skirmaker]\r\nsetup=\r\nship1=\r\nship2=\r\nship3=\r\nship4=\r\nship5=\r\n"
              "ship6=\r\nship7=\r\nship8=\r\nship9=Hidden\r\nship10=\r\nship11=\r\nship12=\r\nship13=\r\nship14=\r\n"
              "TeamSettings=2\r\nPlayerShipSettings=4\r\n");
    EXPECT_FALSE(FileExists(m_game.DataFile()));
}

TEST_F(SetupDialogTest, SelectWithoutAModeWritesEverythingAndAsksForOptions) {
    SetupDialogRun run;
    run.Click(IDC_PLAYER_VS_AI);
    run.Click(IDOK);
    EXPECT_FALSE(run.ui->Finished());
    const auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "You must select the game setup options from the dialog!");
    EXPECT_EQ(boxes[0].caption, "No Option Selected!");
    EXPECT_EQ(boxes[0].type, static_cast<UINT>(MB_OK));
    EXPECT_EQ(boxes[0].owner, run.hWnd);
    EXPECT_NE(m_game.ReadScriptsIni().find("\r\nTeamSettings=2\r\nPlayerShipSettings=0\r\n"), std::string::npos);
}

TEST_F(SetupDialogTest, AFailedSelectReportsThePlatformsReasonAndWritesNothing) {
    RemoveDirectoryA((m_game.InstallFolder() + "\\Assets\\Scripts").c_str());
    SetupDialogRun run;
    run.Click(IDC_PLAYER_VS_AI);
    run.Click(IDC_HOST_SELECT_SHIPS);
    run.Click(IDOK);
    EXPECT_FALSE(run.ui->Finished());
    const auto boxes = m_boxes.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Error saving to sripts.ini; code 3.");
    EXPECT_EQ(boxes[0].caption, AfxGetAppTitle());
    EXPECT_FALSE(FileExists(m_game.ScriptsIni()));
}

TEST_F(SetupDialogTest, EnterInTheCommentsStartsANewLineAndEscOrTheCloseBoxWriteNothing) {
    m_game.WriteScriptsIni(kMissionIni);
    for (const bool closeBox : {false, true}) {
        SetupDialogRun run;
        SendMessageA(run.hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(run.Item(IDC_COMMENTS)), TRUE);
        run.Type(IDC_COMMENTS, "a");
        PostKey(run.Item(IDC_COMMENTS), VK_RETURN);
        TypeText(*run.ui, run.Item(IDC_COMMENTS), "b");
        EXPECT_EQ(WindowText(run.Item(IDC_COMMENTS)), "a\r\nb");
        run.Type(IDC_SHIP2, "changed");
        if (closeBox)
            PostMessageA(run.hWnd, WM_CLOSE, 0, 0);
        else
            PostKey(run.Item(IDC_SHIP2), VK_ESCAPE);
        ASSERT_TRUE(run.ui->Join());
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_EQ(m_game.ReadScriptsIni(), kMissionIni);
        EXPECT_FALSE(FileExists(m_game.DataFile()));
        EXPECT_TRUE(m_boxes.Boxes().empty());
    }
}

}  // namespace
