// The framework's dialogs against the platform's own: placement, activation
// and focus after a modal window, errors at the window-procedure boundary and the
// lifetime of window objects, driven through real messages under Wine.
#include "DialogHarness.h"

#include "framework/PropertySheet.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <new>
#include <stdexcept>

using namespace skmtest;

namespace {

RECT Rect(HWND hWnd) {
    RECT rect{};
    GetWindowRect(hWnd, &rect);
    return rect;
}

// Centres within a pixel of each other, as integer halving allows.
void ExpectCentredOver(const RECT& window, const RECT& over) {
    EXPECT_NEAR(window.left + window.right, over.left + over.right, 2);
    EXPECT_NEAR(window.top + window.bottom, over.top + over.bottom, 2);
}

INT_PTR CALLBACK BareDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

// The setup dialog opens centred on the work area, the help sheet over it; our
// modal windows open wholly on the work area, though their owner is half off it.
TEST(FrameworkTest, WindowsOpenInPlaceAndModalOnesGiveBackActivationAndFocusAsThePlatformsOwnDo) {
    GameSandbox game;
    SetupDialogRun run;
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    ExpectCentredOver(Rect(run.hWnd), area);
    PostMessageA(run.Item(IDC_HELP_BUTTON), BM_CLICK, 0, 0);
    HWND sheet = WaitForDialog("HELP!!");
    ASSERT_TRUE(sheet);
    ExpectCentredOver(Rect(sheet), Rect(run.hWnd));
    SendMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    const RECT setup = Rect(run.hWnd);
    const int width = setup.right - setup.left, height = setup.bottom - setup.top;
    const struct {
        const char* how;
        const char* caption;
        int focusedBefore;  // the control with the focus when the window opens
        bool ours;  // placed by the framework
        std::function<void()> open;
    } openers[] = {
        {"About button", "About Skirmaker", IDC_ABOUT, true,
         [&] { PostMessageA(run.Item(IDC_ABOUT), BM_CLICK, 0, 0); }},
        {"system menu", "About Skirmaker", IDC_SHIP3, true,
         [&] { PostMessageA(run.hWnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }},
        {"View Map button", "Map Positions", IDC_VIEW_MAP, true,
         [&] { PostMessageA(run.Item(IDC_VIEW_MAP), BM_CLICK, 0, 0); }},
        {"the platform's DialogBoxParam", "About Skirmaker", IDC_SHIP3, false, [&] {
             run.ui->Post([owner = run.hWnd] {
                 DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUTBOX), owner, BareDialogProc, 0);
             });
         }},
    };
    for (const auto& opener : openers) {
        for (const WORD closeKey : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
            SCOPED_TRACE(std::string(opener.how) + (closeKey == VK_RETURN ? ", closed with OK" : ", closed with Esc"));
            const POINT at = closeKey == VK_RETURN ? POINT{area.left - width / 2, area.top - height / 2}
                                                   : POINT{area.right - width / 2, area.bottom - height / 2};
            SetWindowPos(run.hWnd, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            run.Focus(run.Item(IDC_SHIP3));
            opener.open();
            HWND modal = WaitForDialog(opener.caption);
            ASSERT_TRUE(modal);
            run.ui->Flush();
            const RECT box = Rect(modal);
            if (opener.ours) {
                EXPECT_TRUE(box.left >= area.left && box.top >= area.top);
                EXPECT_TRUE(box.right <= area.right && box.bottom <= area.bottom);
            }
            EXPECT_FALSE(IsWindowEnabled(run.hWnd));
            PostKey(run.Gui().hwndFocus, closeKey);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(modal); }));
            run.ui->Flush();
            EXPECT_TRUE(IsWindowEnabled(run.hWnd));
            EXPECT_EQ(run.Gui().hwndActive, run.hWnd);
            EXPECT_EQ(run.Gui().hwndFocus, run.Item(opener.focusedBefore));
        }
    }
}

TEST(FrameworkTest, ControlObjectsLetGoOfDestroyedWindowsAndTheDialogRunsAgain) {
    GameSandbox game;
    CSkirmakerDlg dlg;
    for (int time = 1; time <= 2; ++time) {
        SCOPED_TRACE(time);
        SetupDialogRun run(&dlg);
        EXPECT_EQ(CWnd::FromHandle(run.Item(IDC_CATALOGUE)), &dlg.m_comboCatalogue);
        HWND edit = FindWindowExA(run.Item(IDC_CATALOGUE), nullptr, "Edit", nullptr);
        TypeText(*run.ui, edit, "kes");
        EXPECT_EQ(WindowText(edit), "Kestrel");  // the control object completes typed names
        ASSERT_TRUE(run.Close());
        EXPECT_EQ(dlg.m_comboCatalogue.m_hWnd, nullptr);
        EXPECT_EQ(dlg.m_comboSetups.m_hWnd, nullptr);
    }
}

// A page that counts its own destruction.
struct CountedPage : CPropertyPage {
    explicit CountedPage(int& destroyed) : CPropertyPage(IDD_PROPPAGE1), m_destroyed(destroyed) {}
    ~CountedPage() override { ++m_destroyed; }
    int& m_destroyed;
};

int g_hookSawTheEnd = 0;

LRESULT CALLBACK CountDestruction(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    g_hookSawTheEnd += message == WM_NCDESTROY;
    return DefSubclassProc(hWnd, message, wParam, lParam);
}

// The sheet hooks its window through the subclassing service, so a hook added
// later still sees the sheet's messages to its end.
TEST(FrameworkTest, AClosedSheetFreesItselfAndAllItsPagesAndKeepsLaterHooks) {
    AfxInitCommonControls();
    int destroyed = 0;
    auto sheet = std::make_unique<CPropertySheet>();
    for (int i = 0; i < 3; ++i) sheet->AddPage(std::make_unique<CountedPage>(destroyed));
    ASSERT_TRUE(sheet->Create());
    // Only the first page has a window yet; all three objects must go.
    HWND hWnd = sheet.release()->m_hWnd;
    EXPECT_FALSE(IsWindowUnicode(hWnd));
    SetWindowSubclass(hWnd, CountDestruction, 1, 0);
    SendMessageA(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(g_hookSawTheEnd, 1);
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}

// A dialog whose handlers fail in the ways a real one can.
class FailingDialog : public CDialog {
public:
    FailingDialog() : CDialog(IDD_SKIRMAKER_DIALOG) {}
    bool m_failStart = true;
    bool m_failTransfer = false;
    int m_changes = 0;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        // The command posted ends a dialog that a failed start left open.
        if (m_failStart && PostMessageA(m_hWnd, WM_COMMAND, IDCANCEL, 0)) throw std::bad_alloc();
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_SHIP1, m_text);
        if (m_failTransfer) throw std::runtime_error("the transfer broke");
    }
    void OnSave() { UpdateData(TRUE); }
    void OnChangeShip1() { ++m_changes; }

protected:
    MessageMap GetMessageMap() const override {
        static constexpr MessageEntry kMap[] = {
            ON_BN_CLICKED(IDC_SAVE, FailingDialog, OnSave),
            ON_EN_CHANGE(IDC_SHIP1, FailingDialog, OnChangeShip1),
        };
        return kMap;
    }

private:
    std::string m_text;
};

TEST(FrameworkTest, AFailedHandlerIsReportedAndRestoresWhatItSetAndAFailedStartEndsTheDialog) {
    ClearBoxes();
    FailingDialog dlg;
    EXPECT_EQ(dlg.DoModal(), IDABORT);
    dlg.m_failStart = false;
    UiThread ui([&] { dlg.DoModal(); });
    HWND hWnd = WaitForDialog("Skirmaker v1.0 for Voidwake");
    ASSERT_TRUE(hWnd);
    ui.Flush();
    dlg.m_failTransfer = true;
    SendMessageA(GetDlgItem(hWnd, IDC_SAVE), BM_CLICK, 0, 0);
    ui.Flush();
    const auto reported = Boxes();
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0].text, "Opening the window did not finish: there is not enough memory.");
    EXPECT_EQ(reported[1].text, "\"Save\" did not finish: the transfer broke.");
    EXPECT_EQ(reported[1].owner, hWnd);
    for (const RecordedBox& box : reported) EXPECT_EQ(box.type, static_cast<UINT>(MB_OK | MB_ICONERROR));
    // The transfer that broke no longer holds back the controls' notifications.
    dlg.m_failTransfer = false;
    SetDlgItemTextA(hWnd, IDC_SHIP1, "typed");
    ui.Flush();
    EXPECT_EQ(dlg.m_changes, 1);
    PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(ui.Join());
}

}  // namespace
