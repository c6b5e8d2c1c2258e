// The help sheet driven through its real controls: opened by the setup
// dialog's "&HELP" handler, read and clicked through window messages.
#include "DialogHarness.h"
#include "framework/App.h"
#include "framework/PropertySheet.h"
#include "help/HelpTexts.h"
#include "resource.h"
#include "ui/SkirmakerDlg.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using skmtest::WindowText;

constexpr int kApplyNowId = 0x3021;  // the sheet's own id for its Apply button

struct SheetSearch {
    DWORD threadId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectHelpSheet(HWND hWnd, LPARAM lParam) {
    auto* search = reinterpret_cast<SheetSearch*>(lParam);
    if (GetWindowThreadProcessId(hWnd, nullptr) == search->threadId && WindowText(hWnd) == "HELP!!")
        search->found.push_back(hWnd);
    return TRUE;
}

// The open help sheets of one thread.
std::vector<HWND> HelpSheets(DWORD threadId) {
    SheetSearch search{threadId, {}};
    EnumWindows(CollectHelpSheet, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Handles what is queued for this thread the way the program's loop does.
void Pump() {
    MSG msg;
    for (int i = 0; i < 10000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
        if (!AfxPreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

// Opens a sheet through the "&HELP" handler and returns its window.
HWND OpenHelpSheet() {
    const std::vector<HWND> before = HelpSheets(GetCurrentThreadId());
    CSkirmakerDlg dialog;
    dialog.OnHelpButton();
    Pump();
    for (HWND hWnd : HelpSheets(GetCurrentThreadId()))
        if (std::find(before.begin(), before.end(), hWnd) == before.end()) return hWnd;
    return nullptr;
}

// Closes a sheet the way its close box and system menu do.
void CloseSheet(HWND sheet) {
    SendMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump();
}

HWND ShowPage(HWND sheet, int index) {
    PropSheet_SetCurSel(sheet, nullptr, index);
    return PropSheet_GetCurrentPageHwnd(sheet);
}

std::vector<std::string> TabCaptions(HWND sheet) {
    HWND tab = PropSheet_GetTabControl(sheet);
    std::vector<std::string> captions;
    for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
        char text[128] = {};
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof(text);
        SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
        captions.push_back(text);
    }
    return captions;
}

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        std::string text(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<std::size_t>(SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
        items.push_back(text);
    }
    return items;
}

// Selects a list item and tells the page as the combo box itself would.
void Choose(HWND page, const std::string& item) {
    HWND combo = GetDlgItem(page, IDC_HELP_LIST);
    const LRESULT index = SendMessageA(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
    ASSERT_NE(index, CB_ERR) << item;
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_HELP_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

// Types into the combo's edit field, key by key, through the message loop.
void TypeIntoCombo(HWND page, const std::string& text) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    GetComboBoxInfo(GetDlgItem(page, IDC_HELP_LIST), &info);
    SetFocus(info.hwndItem);
    for (char c : text) PostMessageA(info.hwndItem, WM_CHAR, static_cast<unsigned char>(c), 1);
    Pump();
}

std::vector<std::string> Labels(std::span<const help::HelpEntry> list) {
    std::vector<std::string> labels;
    for (const help::HelpEntry& entry : list) labels.push_back(entry.label);
    return labels;
}

bool Checked(HWND page, int id) { return IsDlgButtonChecked(page, id) == BST_CHECKED; }

class HelpSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxInitCommonControls();
        sheet = OpenHelpSheet();
        ASSERT_NE(sheet, nullptr);
    }
    void TearDown() override {
        for (HWND open : HelpSheets(GetCurrentThreadId())) CloseSheet(open);
    }
    HWND sheet = nullptr;
};

TEST_F(HelpSheetTest, OpensAsAnUnownedModelessSheetWithThreeTabsAndNoButtons) {
    EXPECT_EQ(WindowText(sheet), "HELP!!");
    EXPECT_TRUE(IsWindowVisible(sheet));
    EXPECT_EQ(GetWindow(sheet, GW_OWNER), nullptr);
    const LONG_PTR style = GetWindowLongPtrA(sheet, GWL_STYLE);
    EXPECT_EQ(style & (WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CHILD), WS_POPUP | WS_CAPTION | WS_SYSMENU);

    EXPECT_EQ(TabCaptions(sheet), (std::vector<std::string>{"Dialog Controls", "Game Set up", "Trouble Shooting"}));
    EXPECT_EQ(TabCtrl_GetCurSel(PropSheet_GetTabControl(sheet)), 0);
    EXPECT_EQ(PropSheet_GetCurrentPageHwnd(sheet), PropSheet_IndexToHwnd(sheet, 0));

    for (int id : {IDOK, IDCANCEL, IDHELP, kApplyNowId}) {
        HWND button = GetDlgItem(sheet, id);
        EXPECT_TRUE(!button || !IsWindowVisible(button)) << "button " << id;
    }
    // The button row is cut off, not merely left empty.
    RECT window{}, ok{};
    GetWindowRect(sheet, &window);
    ASSERT_TRUE(GetWindowRect(GetDlgItem(sheet, IDOK), &ok));
    EXPECT_LE(window.bottom, ok.top);
}

TEST_F(HelpSheetTest, FreshPagesShowFullListsAndEmptyTexts) {
    struct ListPage {
        int index;
        int textId;
        std::span<const help::HelpEntry> list;
    };
    for (const ListPage& listPage : {ListPage{0, IDC_HELP_DESCRIPTION, help::ControlList()},
                                     ListPage{2, IDC_HELP_ANSWER, help::QuestionList()}}) {
        SCOPED_TRACE(listPage.index);
        HWND page = ShowPage(sheet, listPage.index);
        HWND combo = GetDlgItem(page, IDC_HELP_LIST);
        std::vector<std::string> items = ComboItems(combo);
        // Sorted by the list's own case-insensitive collation, holding every label once.
        EXPECT_TRUE(std::is_sorted(items.begin(), items.end(),
                                   [](const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) < 0; }));
        std::vector<std::string> labels = Labels(listPage.list);
        std::sort(items.begin(), items.end());
        std::sort(labels.begin(), labels.end());
        EXPECT_EQ(items, labels);
        EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), CB_ERR);
        EXPECT_EQ(WindowText(combo), "");
        EXPECT_EQ(WindowText(GetDlgItem(page, listPage.textId)), "");
    }
    HWND setUp = ShowPage(sheet, 1);
    for (int id : {IDC_HELP_PLAYER_VS_PLAYER, IDC_HELP_PLAYER_VS_AI, IDC_HELP_PLAYER_SELECT, IDC_HELP_HOST_SELECT})
        EXPECT_FALSE(Checked(setUp, id)) << id;
    EXPECT_EQ(WindowText(GetDlgItem(setUp, IDC_HELP_SUMMARY)), "");
}

TEST_F(HelpSheetTest, EveryListItemShowsItsOwnText) {
    struct ListPage {
        int index;
        int textId;
        std::span<const help::HelpEntry> list;
    };
    for (const ListPage& listPage : {ListPage{0, IDC_HELP_DESCRIPTION, help::ControlList()},
                                     ListPage{2, IDC_HELP_ANSWER, help::QuestionList()}}) {
        HWND page = ShowPage(sheet, listPage.index);
        // Backwards, so each choice replaces a different text.
        for (auto entry = listPage.list.rbegin(); entry != listPage.list.rend(); ++entry) {
            SCOPED_TRACE(entry->label);
            Choose(page, entry->label);
            EXPECT_EQ(WindowText(GetDlgItem(page, listPage.textId)), entry->text);
            Choose(page, entry->label);
            EXPECT_EQ(WindowText(GetDlgItem(page, listPage.textId)), entry->text);
        }
    }
}

TEST_F(HelpSheetTest, TypingOrLosingTheSelectionKeepsTheShownText) {
    HWND page = ShowPage(sheet, 0);
    HWND description = GetDlgItem(page, IDC_HELP_DESCRIPTION);
    TypeIntoCombo(page, help::ControlList()[1].label);
    EXPECT_EQ(WindowText(description), "");

    Choose(page, help::ControlList()[0].label);
    TypeIntoCombo(page, help::ControlList()[2].label);
    EXPECT_EQ(WindowText(description), help::ControlList()[0].text);

    HWND combo = GetDlgItem(page, IDC_HELP_LIST);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_HELP_LIST, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(WindowText(description), help::ControlList()[0].text);
}

// Clicks on "Game Set up" and what the page then shows.
struct ClickCase {
    const char* name;
    std::vector<int> clicks;
    std::vector<int> ticked;  // all other boxes clear
    int summary;              // 0: none shown
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

class GameSetUpTest : public HelpSheetTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(GameSetUpTest, BoxesActAsTwoPairsAndShowTheMatchingSummary) {
    const ClickCase& c = GetParam();
    HWND page = ShowPage(sheet, 1);
    for (int id : c.clicks) SendMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0);
    for (int id : {IDC_HELP_PLAYER_VS_PLAYER, IDC_HELP_PLAYER_VS_AI, IDC_HELP_PLAYER_SELECT, IDC_HELP_HOST_SELECT}) {
        const bool expected = std::find(c.ticked.begin(), c.ticked.end(), id) != c.ticked.end();
        EXPECT_EQ(Checked(page, id), expected) << "box " << id;
    }
    const char* summary = c.summary ? help::SummaryText(c.summary) : "";
    EXPECT_EQ(WindowText(GetDlgItem(page, IDC_HELP_SUMMARY)), summary);
}

constexpr int kPvP = IDC_HELP_PLAYER_VS_PLAYER;
constexpr int kPvAI = IDC_HELP_PLAYER_VS_AI;
constexpr int kPlayer = IDC_HELP_PLAYER_SELECT;
constexpr int kHost = IDC_HELP_HOST_SELECT;

INSTANTIATE_TEST_SUITE_P(
    Clicks, GameSetUpTest,
    ::testing::Values(ClickCase{"ModeAlone", {kPvP}, {kPvP}, 0},
                      ClickCase{"ShipChoiceAlone", {kHost}, {kHost}, 0},
                      ClickCase{"PvPPlayer", {kPvP, kPlayer}, {kPvP, kPlayer}, 1},
                      ClickCase{"PvPHost", {kPvP, kHost}, {kPvP, kHost}, 2},
                      ClickCase{"PvAIPlayer", {kPlayer, kPvAI}, {kPvAI, kPlayer}, 3},
                      ClickCase{"PvAIHost", {kPvAI, kHost}, {kPvAI, kHost}, 4},
                      ClickCase{"PartnerClearsMode", {kPvP, kPlayer, kPvAI}, {kPvAI, kPlayer}, 3},
                      ClickCase{"PartnerClearsShipChoice", {kPvAI, kPlayer, kHost}, {kPvAI, kHost}, 4},
                      ClickCase{"TickedBoxStaysTicked", {kPvP, kHost, kPvP}, {kPvP, kHost}, 2},
                      ClickCase{"TickedAloneStaysTicked", {kHost, kHost}, {kHost}, 0}),
    [](const ::testing::TestParamInfo<ClickCase>& info) { return std::string(info.param.name); });

TEST_F(HelpSheetTest, PagesKeepTheirStateAcrossTabSwitches) {
    const help::HelpEntry& control = help::ControlList()[3];
    const help::HelpEntry& question = help::QuestionList()[4];
    Choose(ShowPage(sheet, 0), control.label);
    HWND setUp = ShowPage(sheet, 1);
    SendMessageA(GetDlgItem(setUp, kPvAI), BM_CLICK, 0, 0);
    SendMessageA(GetDlgItem(setUp, kHost), BM_CLICK, 0, 0);
    Choose(ShowPage(sheet, 2), question.label);

    HWND controls = ShowPage(sheet, 0);
    EXPECT_EQ(WindowText(GetDlgItem(controls, IDC_HELP_DESCRIPTION)), control.text);
    EXPECT_EQ(WindowText(GetDlgItem(controls, IDC_HELP_LIST)), control.label);
    EXPECT_EQ(SendMessageA(GetDlgItem(controls, IDC_HELP_LIST), CB_GETCOUNT, 0, 0),
              static_cast<LRESULT>(help::ControlList().size()));
    EXPECT_EQ(ShowPage(sheet, 1), setUp);
    EXPECT_TRUE(Checked(setUp, kPvAI) && Checked(setUp, kHost));
    EXPECT_EQ(WindowText(GetDlgItem(setUp, IDC_HELP_SUMMARY)), help::SummaryText(4));
    HWND trouble = ShowPage(sheet, 2);
    EXPECT_EQ(WindowText(GetDlgItem(trouble, IDC_HELP_ANSWER)), question.text);
    EXPECT_EQ(SendMessageA(GetDlgItem(trouble, IDC_HELP_LIST), CB_GETCOUNT, 0, 0),
              static_cast<LRESULT>(help::QuestionList().size()));
}

TEST_F(HelpSheetTest, TwoSheetsKeepTheirOwnStateAndCloseAlone) {
    HWND second = OpenHelpSheet();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, sheet);
    const help::HelpEntry& entry = help::QuestionList()[0];
    Choose(ShowPage(sheet, 2), entry.label);
    SendMessageA(GetDlgItem(ShowPage(sheet, 1), kPvP), BM_CLICK, 0, 0);

    HWND otherSetUp = ShowPage(second, 1);
    EXPECT_FALSE(Checked(otherSetUp, kPvP));
    EXPECT_EQ(WindowText(GetDlgItem(ShowPage(second, 2), IDC_HELP_ANSWER)), "");
    EXPECT_EQ(ShowPage(second, 0), PropSheet_IndexToHwnd(second, 0));

    CloseSheet(sheet);
    EXPECT_FALSE(IsWindow(sheet));
    ASSERT_TRUE(IsWindow(second));
    EXPECT_EQ(HelpSheets(GetCurrentThreadId()), std::vector<HWND>{second});
    HWND page = ShowPage(second, 2);
    Choose(page, entry.label);
    EXPECT_EQ(WindowText(GetDlgItem(page, IDC_HELP_ANSWER)), entry.text);
}

TEST_F(HelpSheetTest, EscapeInAPageClosesTheSheet) {
    HWND page = ShowPage(sheet, 0);
    HWND combo = GetDlgItem(page, IDC_HELP_LIST);
    skmtest::PostKey(combo, VK_ESCAPE);
    Pump();
    EXPECT_FALSE(IsWindow(sheet));
}

// A page that counts its own destruction.
class CountedPage : public CPropertyPage {
public:
    explicit CountedPage(int& destroyed) : CPropertyPage(IDD_PROPPAGE1), m_destroyed(destroyed) {}
    ~CountedPage() override { ++m_destroyed; }

private:
    int& m_destroyed;
};

TEST(PropertySheetTest, WindowDestructionFreesTheSheetAndAllItsPages) {
    AfxInitCommonControls();
    int destroyed = 0;
    auto sheet = std::make_unique<CPropertySheet>();
    sheet->SetTitle("Counted", 0);
    for (int i = 0; i < 3; ++i) sheet->AddPage(std::make_unique<CountedPage>(destroyed));
    ASSERT_TRUE(sheet->Create());
    HWND hWnd = sheet.release()->m_hWnd;
    // Only the first page's window exists yet; all three objects must go.
    EXPECT_EQ(PropSheet_IndexToHwnd(hWnd, 2), nullptr);
    SendMessageA(hWnd, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

TEST(PropertySheetTest, CreateWithoutPagesFailsAndKeepsTheSheet) {
    CPropertySheet sheet;
    EXPECT_FALSE(sheet.Create());
    EXPECT_EQ(sheet.m_hWnd, nullptr);
}

// The state of every control of the setup dialog: text, check mark, enabled.
std::vector<std::string> DialogSnapshot(HWND dialog) {
    std::vector<std::string> state;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        state.push_back(std::to_string(GetDlgCtrlID(child)) + ":" + WindowText(child) + ":" +
                        std::to_string(SendMessageA(child, BM_GETCHECK, 0, 0)) + ":" +
                        std::to_string(IsWindowEnabled(child)));
    }
    return state;
}

TEST(HelpButtonTest, OpensSheetsBesideTheSetupDialogAndChangesNothingInIt) {
    skmtest::MessageBoxRecorder boxes;
    skmtest::GameSandbox game;
    game.WriteScriptsIni("[Mul_Skirmaker]\nsetup=Duel\nship1=\"Kestrel\"\nTeamSettings=1\nPlayerShipSettings=4\n");
    DWORD uiThreadId = 0;
    skmtest::UiThread ui([&uiThreadId] {
        uiThreadId = GetCurrentThreadId();
        AfxInitCommonControls();
        CSkirmakerDlg dialog;
        dialog.DoModal();
    });
    HWND dialog = nullptr;
    ASSERT_TRUE(skmtest::WaitFor([&] {
        dialog = FindWindowA("#32770", "Skirmaker v1.0 for Voidwake");
        return dialog && IsWindowVisible(dialog);
    }));
    ui.Flush();
    const std::vector<std::string> before = DialogSnapshot(dialog);

    for (int i = 0; i < 2; ++i) PostMessageA(GetDlgItem(dialog, IDC_HELP_BUTTON), BM_CLICK, 0, 0);
    ASSERT_TRUE(skmtest::WaitFor([&] { return HelpSheets(uiThreadId).size() == 2; }));
    ui.Flush();
    const std::vector<HWND> sheets = HelpSheets(uiThreadId);
    for (HWND sheet : sheets) {
        HWND setUp = ShowPage(sheet, 1);
        SendMessageA(GetDlgItem(setUp, kPvAI), BM_CLICK, 0, 0);
        SendMessageA(GetDlgItem(setUp, kHost), BM_CLICK, 0, 0);
        EXPECT_EQ(WindowText(GetDlgItem(setUp, IDC_HELP_SUMMARY)), help::SummaryText(4));
    }
    ui.Flush();
    EXPECT_TRUE(IsWindowEnabled(dialog));
    EXPECT_EQ(DialogSnapshot(dialog), before);
    EXPECT_TRUE(boxes.Boxes().empty());

    for (HWND sheet : sheets) SendMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(HelpSheets(uiThreadId).empty());
    EXPECT_TRUE(IsWindow(dialog));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(ui.Join());
}

}  // namespace
