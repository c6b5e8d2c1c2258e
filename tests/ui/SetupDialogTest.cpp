// The setup dialog driven through real messages: start-up, "Select" and the
// ways out.
#include "DialogHarness.h"

#include "framework/Clipboard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

// Without the game's folder, start-up says why and offers to choose one; "No"
// leaves the dialog empty. A settings file it cannot read is named, once.
TEST(SetupDialogTest, StartUpSaysOnceWhyTheGamesSettingsCannotBeShown) {
    const struct {
        bool game;
        std::string ini;
        std::vector<std::string> texts;
        int catalogue;
    } cases[] = {
        {false, "", {"Error reading from skirmaker.ini; code 2.", "Do you want to choose the game's folder now?"}, 0},
        {true, std::string("\xFF\xFE[\0M\0]\0", 8), {"scripts.ini\" could not be read: "}, 300},
    };
    for (const auto& c : cases) {
        GameSandbox game;
        if (!c.game) GameSandbox::RemoveGame();
        if (!c.ini.empty()) WriteFileBytes(game.scriptsIni, c.ini);
        SetupDialogRun run;
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), c.texts.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_NE(boxes[i].text.find(c.texts[i]), std::string::npos) << boxes[i].text;
            EXPECT_EQ(boxes[i].owner, run.hWnd);
        }
        EXPECT_EQ(boxes[0].type, c.game ? MB_ICONWARNING : MB_OK);
        EXPECT_EQ(SendMessageA(run.Item(IDC_CATALOGUE), CB_GETCOUNT, 0, 0), c.catalogue);
        EXPECT_EQ(WindowText(run.Item(IDC_SETUP_TITLE)) + WindowText(run.Item(IDC_SHIP1)), "");
    }
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

// Select writes nothing unless it can write the whole of a playable setup:
// the game's working setup stays as it was while the user completes the form.
TEST(SetupDialogTest, ASelectThatCannotFinishSaysWhyAndLeavesTheGamesFileAsItWas) {
    const struct {
        std::vector<int> clicks;
        bool readOnly, game;
        const char *text, *caption;
    } cases[] = {
        {{}, false, true, "You must select the game setup options from the dialog!", "No Option Selected!"},
        {{IDC_PLAYER_VS_AI}, false, true, "You must select the game setup options from the dialog!", "No Option Selected!"},
        {{IDC_HOST_SELECT_SHIPS}, false, true, "You must select the game setup options from the dialog!",
         "No Option Selected!"},
        {{IDC_PLAYER_VS_AI, IDC_HOST_SELECT_SHIPS}, true, true, "Error saving to sripts.ini; code 5.", nullptr},
        {{IDC_PLAYER_VS_AI, IDC_HOST_SELECT_SHIPS}, false, false, "Error saving to sripts.ini; code 2.", nullptr},
    };
    const std::string ini = "[Mul_Skirmaker]\r\nsetup=Applied\r\nship1=\"Kestrel\"\r\n";  // no box ticked
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        GameSandbox game;
        WriteFileBytes(game.scriptsIni, ini);
        if (c.readOnly) SetFileAttributesA(game.scriptsIni.string().c_str(), FILE_ATTRIBUTE_READONLY);
        SetupDialogRun run;
        if (!c.game) GameSandbox::RemoveGame();
        for (int click : c.clicks) run.Click(click);
        run.Click(IDOK);
        EXPECT_FALSE(run.ui->Finished());
        ExpectBox(run, c.text, c.caption ? c.caption : AfxGetAppTitle(), MB_OK);
        EXPECT_EQ(ReadFileBytes(game.scriptsIni), ini);
        SetFileAttributesA(game.scriptsIni.string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Edits stop at 30,000 characters unless told otherwise; a paste must never be cut.
TEST(SetupDialogTest, LongPastesAreTakenWhole) {
    GameSandbox game;
    SetupDialogRun run;
    const std::string text(40000, 'x');
    ASSERT_TRUE(AfxSetClipboardText(nullptr, text));
    for (int id : {IDC_COMMENTS, IDC_SHIP1, IDC_SETUPS}) {
        SendMessageA(id == IDC_SETUPS ? FindWindowExA(run.Item(id), nullptr, "Edit", nullptr) : run.Item(id), WM_PASTE, 0, 0);
        EXPECT_EQ(GetWindowTextLengthA(run.Item(id)), 40000) << id;
    }
    run.Click(IDC_SAVE);
    ASSERT_NE(run.dlg->m_mapSetups.Find(text), nullptr);
    EXPECT_EQ(run.dlg->m_mapSetups.Find(text)->m_strComments, text);
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
