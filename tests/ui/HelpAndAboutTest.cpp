// The help sheet's pages and the about box's "Visit" button, driven through their real controls.
#include "DialogHarness.h"

#include "help/HelpTexts.h"
#include "ui/AboutDlg.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

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

// Written on the UI thread; read by the test only after flushing that thread.
std::vector<std::string> g_shellCalls;
std::intptr_t g_shellResult = 42;

HINSTANCE RecordShellExecute(HWND, const char* operation, const char* file, const char*, const char*, INT show) {
    g_shellCalls.push_back(std::string(operation) + " " + file + (show == SW_SHOWNORMAL ? "" : " hidden"));
    return reinterpret_cast<HINSTANCE>(g_shellResult);
}

TEST(AboutBoxTest, VisitReportsAnEmptyAddressAndAShellFailureAndKeepsTheBoxOpen) {
    const ShellExecuteFunction saved = std::exchange(g_pfnShellExecute, &RecordShellExecute);
    CAboutDlg dlg;
    UiThread ui([&] { dlg.DoModal(); });
    HWND box = WaitForDialog("About Skirmaker");
    ASSERT_TRUE(box);
    const struct {
        const char* address;  // nullptr keeps the address shown
        std::intptr_t shellResult;
        const char* message;  // nullptr: no message box
    } cases[] = {{nullptr, 42, nullptr}, {"", 42, "No URL defined on button!"},
                 {"http://refused.invalid/", 32, "::ShellExecute failed to open this link!"},
                 {"http://refused.invalid/", -1, "::ShellExecute failed to open this link!"},
                 {"http://accepted.invalid/", 33, nullptr}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.shellResult) + " " + (c.address ? c.address : "as shown"));
        ClearBoxes();
        g_shellCalls.clear();
        g_shellResult = c.shellResult;
        if (c.address) SetDlgItemTextA(box, IDC_URL, c.address);
        const std::string address = WindowText(GetDlgItem(box, IDC_URL));
        SendMessageA(GetDlgItem(box, IDC_VISIT), BM_CLICK, 0, 0);
        ui.Flush();
        EXPECT_TRUE(IsWindowVisible(box));
        EXPECT_EQ(g_shellCalls, address.empty() ? std::vector<std::string>{} : std::vector{"open " + address});
        const std::vector<RecordedBox> boxes = Boxes();
        EXPECT_EQ(boxes.size(), c.message ? 1u : 0u);
        if (c.message && !boxes.empty()) {
            EXPECT_EQ(boxes[0].text, c.message);
            EXPECT_EQ(boxes[0].owner, box);
        }
    }
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(ui.Join());
    g_pfnShellExecute = saved;
}

}  // namespace
