// The help sheet driven through its real controls: opened by the setup
// dialog's "&HELP" button, read and clicked through window messages.
#include "DialogHarness.h"

#include "help/HelpTexts.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <string>
#include <tuple>

using namespace skmtest;

namespace {

HWND ShowPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

// Selects a list item and tells the page as the combo box itself would.
void Choose(HWND page, const char* item) {
    HWND combo = GetDlgItem(page, IDC_HELP_LIST);
    SendMessageA(combo, CB_SETCURSEL, SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(item)), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_HELP_LIST, CBN_SELCHANGE), LPARAM(combo));
}

// "1010"-style states of a page's boxes "vs player, vs AI, player select, host select".
std::string Ticked(HWND page, const int (&ids)[4]) {
    std::string boxes;
    for (int id : ids) boxes += IsDlgButtonChecked(page, id) == BST_CHECKED ? '1' : '0';
    return boxes;
}

TEST(HelpSheetTest, PagesShowTheChosenTextsAndTheirOwnBoxesAcrossTabsAndSheets) {
    const int helpBoxes[4] = {IDC_HELP_PLAYER_VS_PLAYER, IDC_HELP_PLAYER_VS_AI, IDC_HELP_PLAYER_SELECT,
                              IDC_HELP_HOST_SELECT};
    const int setupBoxes[4] = {IDC_PLAYER_VS_PLAYER, IDC_PLAYER_VS_AI, IDC_PLAYER_SELECT_SHIPS, IDC_HOST_SELECT_SHIPS};
    GameSandbox game;
    WriteFileBytes(game.scriptsIni, "[Mul_Skirmaker]\nTeamSettings=1\nPlayerShipSettings=4\n");
    SetupDialogRun run;
    HWND sheets[2] = {};
    for (HWND& sheet : sheets) {
        PostMessageA(run.Item(IDC_HELP_BUTTON), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] {
            for (HWND found = nullptr; (found = FindWindowExA(nullptr, found, nullptr, "HELP!!"));)
                if (found != sheets[0]) return (sheet = found) != nullptr;
            return false;
        }));
        run.ui->Flush();
    }
    HWND controls = ShowPage(sheets[0], 0), questions = ShowPage(sheets[0], 2), setup = ShowPage(sheets[0], 1);
    const help::HelpEntry control = help::ControlList().back(), question = help::QuestionList().back();
    Choose(controls, control.label);
    Choose(questions, question.label);
    for (const auto& [click, boxes, summary] : {std::tuple{IDC_HELP_PLAYER_VS_AI, "0100", ""},
                                                std::tuple{IDC_HELP_HOST_SELECT, "0101", help::SummaryText(4)},
                                                std::tuple{IDC_HELP_PLAYER_VS_PLAYER, "1001", help::SummaryText(2)}}) {
        SendMessageA(GetDlgItem(setup, click), BM_CLICK, 0, 0);
        EXPECT_EQ(Ticked(setup, helpBoxes), boxes);
        EXPECT_EQ(WindowText(GetDlgItem(setup, IDC_HELP_SUMMARY)), summary);
    }
    // Back on each tab, each page shows what it showed.
    EXPECT_EQ(WindowText(GetDlgItem(ShowPage(sheets[0], 0), IDC_HELP_DESCRIPTION)), control.text);
    EXPECT_EQ(WindowText(GetDlgItem(ShowPage(sheets[0], 2), IDC_HELP_ANSWER)), question.text);
    EXPECT_EQ(Ticked(ShowPage(sheets[0], 1), helpBoxes), "1001");
    // Neither the other sheet nor the setup dialog shares the boxes.
    EXPECT_EQ(Ticked(ShowPage(sheets[1], 1), helpBoxes), "0000");
    EXPECT_EQ(Ticked(run.hWnd, setupBoxes), "1010");
    for (HWND sheet : sheets) SendMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(Boxes().empty());
}

}  // namespace
