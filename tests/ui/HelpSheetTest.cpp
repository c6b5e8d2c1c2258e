// The help sheet driven through its real controls: opened by the setup
// dialog's "&HELP" button, read and clicked through window messages.
#include "DialogHarness.h"
#include "framework/App.h"
#include "framework/PropertySheet.h"
#include "help/HelpTexts.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr int kPvP = IDC_HELP_PLAYER_VS_PLAYER, kPvAI = IDC_HELP_PLAYER_VS_AI;
constexpr int kPlayer = IDC_HELP_PLAYER_SELECT, kHost = IDC_HELP_HOST_SELECT;

// The open help sheets of one thread.
std::vector<HWND> HelpSheets(DWORD threadId) {
    std::vector<HWND> found;
    for (HWND hWnd = nullptr; (hWnd = FindWindowExA(nullptr, hWnd, nullptr, "HELP!!"));)
        if (GetWindowThreadProcessId(hWnd, nullptr) == threadId) found.push_back(hWnd);
    return found;
}

HWND ShowPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

std::string Text(HWND page, int id) { return skmtest::WindowText(GetDlgItem(page, id)); }
void Click(HWND page, int id) { SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }

// Selects a list item and tells the page as the combo box itself would.
void Choose(HWND page, const std::string& item) {
    HWND combo = GetDlgItem(page, IDC_HELP_LIST);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(item.c_str()));
    ASSERT_NE(index, CB_ERR) << item;
    SendMessageA(combo, CB_SETCURSEL, WPARAM(index), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_HELP_LIST, CBN_SELCHANGE), LPARAM(combo));
}

// The two list pages: their index, the control showing the text, and the list.
const struct ListPage {
    int index, textId;
    std::span<const help::HelpEntry> list;
} kListPages[] = {{0, IDC_HELP_DESCRIPTION, help::ControlList()}, {2, IDC_HELP_ANSWER, help::QuestionList()}};

// The state of the setup dialog and every control in it: text, check mark, enabled.
std::vector<std::string> DialogSnapshot(HWND dialog) {
    std::vector<std::string> state{std::to_string(IsWindowEnabled(dialog))};
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        state.push_back(std::to_string(GetDlgCtrlID(child)) + ":" + skmtest::WindowText(child) + ":" +
                        std::to_string(SendMessageA(child, BM_GETCHECK, 0, 0)) + ":" +
                        std::to_string(IsWindowEnabled(child)));
    return state;
}

// Every test's sheets come from the setup dialog's "&HELP" button, and must
// leave the dialog exactly as they found them.
class HelpSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        dialog = run.hWnd;
        uiThread = GetWindowThreadProcessId(dialog, nullptr);
        before = DialogSnapshot(dialog);
        ASSERT_NE(sheet = OpenSheet(), nullptr);
    }
    void TearDown() override {
        EXPECT_EQ(DialogSnapshot(dialog), before);
        EXPECT_TRUE(boxes.Boxes().empty());
        for (HWND open : HelpSheets(uiThread)) SendMessageA(open, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    HWND OpenSheet() {
        const std::vector<HWND> old = HelpSheets(uiThread);
        PostMessageA(GetDlgItem(dialog, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
        skmtest::WaitFor([&] { return HelpSheets(uiThread).size() > old.size(); });
        run.ui->Flush();
        for (HWND hWnd : HelpSheets(uiThread))
            if (std::ranges::find(old, hWnd) == old.end()) return hWnd;
        return nullptr;
    }

    skmtest::MessageBoxRecorder boxes;
    skmtest::GameSandbox game;
    // Ticks in the setup dialog's own mode boxes, which the sheet's must not touch.
    const bool written = (game.WriteScriptsIni("[Mul_Skirmaker]\nsetup=Duel\nTeamSettings=1\nPlayerShipSettings=4\n"), true);
    skmtest::SetupDialogRun run;
    DWORD uiThread = 0;
    HWND dialog = nullptr, sheet = nullptr;
    std::vector<std::string> before;
};

TEST_F(HelpSheetTest, OpensUnownedWithThreeTabsTheFirstActiveAndNoButtons) {
    EXPECT_TRUE(IsWindowVisible(sheet) && !GetWindow(sheet, GW_OWNER));  // beside the setup dialog, not over it
    EXPECT_EQ(skmtest::WindowText(sheet), "HELP!!");
    HWND tab = PropSheet_GetTabControl(sheet);
    std::vector<std::string> captions;
    for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
        char text[64] = {};
        TCITEMA item{TCIF_TEXT, 0, 0, text, sizeof text, 0, 0};
        SendMessageA(tab, TCM_GETITEMA, i, LPARAM(&item));
        captions.push_back(text);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"Dialog Controls", "Game Set up", "Trouble Shooting"}));
    EXPECT_EQ(PropSheet_GetCurrentPageHwnd(sheet), PropSheet_IndexToHwnd(sheet, TabCtrl_GetCurSel(tab)));
    EXPECT_EQ(TabCtrl_GetCurSel(tab), 0);
    for (int id : {IDOK, IDCANCEL, IDHELP, 0x3021 /* Apply */})
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(sheet, id))) << "button " << id;
}

TEST_F(HelpSheetTest, ListsHoldEveryLabelOnceShowItsTextAndKeepItAcrossTabs) {
    for (const ListPage& listPage : kListPages) {
        HWND page = ShowPage(sheet, listPage.index);
        HWND combo = GetDlgItem(page, IDC_HELP_LIST);
        // As many items as labels, and every label found: each label once.
        EXPECT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), LRESULT(listPage.list.size()));
        // Backwards, so each choice replaces a different text.
        for (auto entry = listPage.list.rbegin(); entry != listPage.list.rend(); ++entry) {
            Choose(page, entry->label);
            EXPECT_EQ(Text(page, IDC_HELP_LIST) + " = " + Text(page, listPage.textId),
                      std::string(entry->label) + " = " + entry->text);
        }
        HWND edit = FindWindowExA(combo, nullptr, "Edit", nullptr);
        SendMessageA(edit, EM_SETSEL, 0, -1);  // typing replaces the chosen label, as after a click into the field
        skmtest::TypeText(*run.ui, edit, listPage.list[2].label);
        EXPECT_EQ(Text(page, listPage.textId), listPage.list[0].text) << "typing alone changes nothing";
    }
    // Back on each page after the other: text and list as they were.
    for (const ListPage& listPage : kListPages) {
        HWND page = ShowPage(sheet, listPage.index);
        EXPECT_EQ(Text(page, listPage.textId), listPage.list[0].text);
        EXPECT_EQ(SendDlgItemMessageA(page, IDC_HELP_LIST, CB_GETCOUNT, 0, 0), LRESULT(listPage.list.size()));
    }
}

// Each case in a sheet of its own, beside the fixture's, which must stay as it is.
TEST_F(HelpSheetTest, CheckBoxesActAsTwoPairsShowTheMatchingSummaryAndStayInTheirSheet) {
    const struct {
        std::vector<int> clicks, ticked;  // all other boxes clear
        int summary;                      // 0: none shown, not even the placeholder
    } cases[] = {
        {{}, {}, 0}, {{kPvP}, {kPvP}, 0}, {{kHost}, {kHost}, 0}, {{kPvP, kPlayer}, {kPvP, kPlayer}, 1},
        {{kPvP, kHost}, {kPvP, kHost}, 2}, {{kPlayer, kPvAI}, {kPvAI, kPlayer}, 3}, {{kPvAI, kHost}, {kPvAI, kHost}, 4},
        // A box clears its partner; clicking a ticked box keeps it ticked.
        {{kPvP, kPlayer, kPvAI}, {kPvAI, kPlayer}, 3}, {{kPvAI, kPlayer, kHost}, {kPvAI, kHost}, 4},
        {{kPvP, kHost, kPvP}, {kPvP, kHost}, 2},
    };
    HWND other = ShowPage(sheet, 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.clicks));
        HWND fresh = OpenSheet();
        HWND page = ShowPage(fresh, 1);
        for (int id : c.clicks) Click(page, id);
        ShowPage(fresh, 0);
        EXPECT_EQ(ShowPage(fresh, 1), page);  // the boxes must survive a tab switch
        for (int id : {kPvP, kPvAI, kPlayer, kHost}) {
            EXPECT_EQ(IsDlgButtonChecked(page, id) == BST_CHECKED, std::ranges::count(c.ticked, id) == 1) << id;
            EXPECT_EQ(IsDlgButtonChecked(other, id), BST_UNCHECKED) << "other sheet's " << id;
        }
        EXPECT_EQ(Text(page, IDC_HELP_SUMMARY), c.summary ? help::SummaryText(c.summary) : "");
        SendMessageA(fresh, WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_EQ(HelpSheets(uiThread), std::vector<HWND>{sheet});
    }
    Click(other, kPvAI);
    EXPECT_EQ(IsDlgButtonChecked(other, kPvAI), BST_CHECKED);
}

// A page that counts its own destruction.
struct CountedPage : CPropertyPage {
    explicit CountedPage(int& destroyed) : CPropertyPage(IDD_PROPPAGE1), m_destroyed(destroyed) {}
    ~CountedPage() override { ++m_destroyed; }
    int& m_destroyed;
};

TEST(PropertySheetTest, WindowDestructionFreesTheSheetAndAllItsPages) {
    AfxInitCommonControls();
    int destroyed = 0;
    auto sheet = std::make_unique<CPropertySheet>();
    for (int i = 0; i < 3; ++i) sheet->AddPage(std::make_unique<CountedPage>(destroyed));
    ASSERT_TRUE(sheet->Create());
    // Only the first page has a window yet; all three objects must go.
    HWND hWnd = sheet.release()->m_hWnd;
    SendMessageA(hWnd, WM_CLOSE, 0, 0);
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

}  // namespace
