// The setup dialog driven through real messages: start-up, "Select" and the
// ways out.
#include "DialogHarness.h"

#include <gtest/gtest.h>

using namespace skmtest;

namespace {

const std::string kMissionIni = "[Mul_Skirmaker]\r\nsetup=Concord Planet Assault\r\nship1=\"Kestrel\"\r\nship9=Dart\r\n"
                                "TeamSettings=3\r\nPlayerShipSettings=12\r\n";

// The one message box shown, with the dialog as its owner.
void ExpectBox(const SetupDialogRun& run, const std::string& text, const std::string& caption, UINT type) {
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, text);
    EXPECT_EQ(boxes[0].caption, caption);
    EXPECT_EQ(boxes[0].type, type);
    EXPECT_EQ(boxes[0].owner, run.hWnd);
}

TEST(SetupDialogTest, WithoutTheGameStartUpSaysWhyOnceAndLeavesTheDialogEmpty) {
    GameSandbox game;
    GameSandbox::RemoveGame();
    SetupDialogRun run;
    ExpectBox(run, "Error reading from skirmaker.ini; code 2.", AfxGetAppTitle(), MB_OK);  // the registry's answer
    EXPECT_EQ(SendMessageA(run.Item(IDC_CATALOGUE), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(WindowText(run.Item(IDC_SETUP_TITLE)) + WindowText(run.Item(IDC_SHIP1)), "");
}

// The rules of the mode boxes are the form's; here, that the dialog shows them.
TEST(SetupDialogTest, StartUpShowsTheGamesSetupAndTheShipChoiceSetsThePlayerPlaces) {
    GameSandbox game;
    WriteFileBytes(game.scriptsIni, kMissionIni);
    SetupDialogRun run;
    EXPECT_EQ(WindowText(run.Item(IDC_SETUP_TITLE)) + WindowText(run.Item(IDC_SHIP1)) + WindowText(run.Item(IDC_SHIP9)),
              "Concord Planet Assault\"Kestrel\"Dart");
    EXPECT_EQ(IsDlgButtonChecked(run.hWnd, IDC_PLAYER_SELECT_SHIPS), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(run.hWnd, IDC_HOST_SELECT_SHIPS), BST_UNCHECKED);
    const std::pair<int, bool> clicks[] = {{0, false}, {IDC_HOST_SELECT_SHIPS, true}, {IDC_PLAYER_SELECT_SHIPS, false}};
    for (const auto& [click, enabled] : clicks) {
        if (click) run.Click(click);
        for (std::size_t p = kFirstPlayerPlace; p < kShipPlaces.size(); ++p)
            EXPECT_EQ(IsWindowEnabled(run.Item(kShipPlaces[p].controlId)) != FALSE, enabled) << click;
    }
    EXPECT_TRUE(Boxes().empty());
}

TEST(SetupDialogTest, EnterInAShipFieldSelectsWritingDisabledShipsTooConfirmsAndEnds) {
    GameSandbox game;
    WriteFileBytes(game.scriptsIni, "[Other]\r\nkeep = me\r\n");
    SetupDialogRun run;
    run.Click(IDC_PLAYER_VS_AI);
    run.Click(IDC_PLAYER_SELECT_SHIPS);
    SetWindowTextA(run.Item(IDC_SHIP9), "Hidden");
    PostKey(run.Item(IDC_SHIP5), VK_RETURN);
    ASSERT_TRUE(run.ui->Join());
    EXPECT_EQ(run.result, IDOK);
    ExpectBox(run, "Game Setup Saved For Voidwake Game Play!", AfxGetAppTitle(), MB_ICONINFORMATION);
    const std::string ini = ReadFileBytes(game.scriptsIni);
    EXPECT_TRUE(ini.starts_with("[Other]\r\nkeep = me\r\n[Mul_Skirmaker]\r\n")) << ini;
    for (const char* line : {"\r\nship9=Hidden\r\n", "\r\nTeamSettings=2\r\nPlayerShipSettings=4\r\n"})
        EXPECT_NE(ini.find(line), std::string::npos) << ini;
    EXPECT_FALSE(fs::exists(game.dataFile));
}

// A mode left incomplete is written as it stands; a failed write writes nothing.
TEST(SetupDialogTest, ASelectThatCannotFinishSaysWhyAndKeepsTheDialogOpen) {
    const struct {
        int secondClick;
        const char *text, *caption, *ini;
    } cases[] = {
        {0, "You must select the game setup options from the dialog!", "No Option Selected!",
         "\r\nTeamSettings=2\r\nPlayerShipSettings=0\r\n"},
        {IDC_HOST_SELECT_SHIPS, "Error saving to sripts.ini; code 3.", nullptr, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        GameSandbox game;
        if (!c.ini) fs::remove(game.scriptsIni.parent_path());
        SetupDialogRun run;
        run.Click(IDC_PLAYER_VS_AI);
        if (c.secondClick) run.Click(c.secondClick);
        run.Click(IDOK);
        EXPECT_FALSE(run.ui->Finished());
        ExpectBox(run, c.text, c.caption ? c.caption : AfxGetAppTitle(), MB_OK);
        if (c.ini) {
            EXPECT_NE(ReadFileBytes(game.scriptsIni).find(c.ini), std::string::npos);
        } else {
            EXPECT_FALSE(fs::exists(game.scriptsIni));
        }
    }
}

TEST(SetupDialogTest, EnterInTheCommentsStartsANewLineAndEscOrTheCloseBoxWriteNothing) {
    GameSandbox game;
    WriteFileBytes(game.scriptsIni, kMissionIni);
    for (const bool closeBox : {false, true}) {
        SetupDialogRun run;
        HWND comments = run.Item(IDC_COMMENTS);
        SendMessageA(run.hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(comments), TRUE);
        TypeText(*run.ui, comments, "a");
        PostKey(comments, VK_RETURN);
        TypeText(*run.ui, comments, "b");
        EXPECT_EQ(WindowText(comments), "a\r\nb");
        TypeText(*run.ui, run.Item(IDC_SHIP2), "changed");
        ASSERT_TRUE(run.Close(closeBox));
        EXPECT_EQ(run.result, IDCANCEL);
        EXPECT_EQ(ReadFileBytes(game.scriptsIni), kMissionIni);
        EXPECT_FALSE(fs::exists(game.dataFile));
        EXPECT_TRUE(Boxes().empty());
    }
}

}  // namespace
