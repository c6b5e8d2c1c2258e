// The framework's dialogs against the platform's own: activation and focus after
// a modal window, placement, errors at the window-procedure boundary and the
// lifetime of control objects, driven through real messages under Wine.
#include "DialogHarness.h"

#include "framework/App.h"
#include "framework/PropertySheet.h"
#include "resource.h"
#include "ui/SkirmakerDlg.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <atomic>
#include <functional>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>

using namespace skmtest;

namespace {

struct : CWinApp {
    BOOL InitInstance() override { return FALSE; }
} theTestApp;

constexpr char kSetupCaption[] = "Skirmaker v1.0 for Voidwake";

HWND WaitForDialog(const char* caption) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowA("#32770", caption)) && IsWindowVisible(found); });
    return found;
}

GUITHREADINFO ThreadState(HWND hWnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(hWnd, nullptr), &info);
    return info;
}

RECT Rect(HWND hWnd) {
    RECT rect{};
    GetWindowRect(hWnd, &rect);
    return rect;
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

bool Inside(const RECT& inner, const RECT& outer) {
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Centres within a pixel of each other, as integer halving allows.
void ExpectCentredOver(const RECT& window, const RECT& over, const char* what) {
    EXPECT_NEAR(window.left + window.right, over.left + over.right, 2) << what;
    EXPECT_NEAR(window.top + window.bottom, over.top + over.bottom, 2) << what;
}

INT_PTR CALLBACK BareDialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

// The setup dialog, run as the application's main window on a UI thread.
class FrameworkTest : public ::testing::Test {
public:
    void SetUp() override { theTestApp.m_pMainWnd = m_dlg.get(); }
    void TearDown() override {
        if (m_ui && !m_ui->Finished()) {
            PostMessageA(m_dlg->m_hWnd, WM_COMMAND, IDCANCEL, 0);
            m_ui->Join();
        }
        theTestApp.m_pMainWnd = nullptr;
    }
    void Open() {
        m_ui = std::make_unique<UiThread>([this] { m_dlg->DoModal(); });
        ASSERT_TRUE((m_setup = WaitForDialog(kSetupCaption)));
        m_ui->Flush();
    }
    HWND Item(int id) const { return GetDlgItem(m_setup, id); }
    void Focus(int id) { SendMessageA(m_setup, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(id)), TRUE); }

    GameSandbox m_game;
    MessageBoxRecorder m_boxes;
    std::unique_ptr<CSkirmakerDlg> m_dlg = std::make_unique<CSkirmakerDlg>();
    std::unique_ptr<UiThread> m_ui;
    HWND m_setup = nullptr;
};

TEST_F(FrameworkTest, ModalWindowsGiveBackActivationAndFocusAsThePlatformsOwnDo) {
    const struct {
        const char* how;
        const char* caption;
        int focusedBefore;  // the control with the focus when the window opens
        std::function<void(FrameworkTest&)> open;
    } openers[] = {
        {"About button", "About Skirmaker", IDC_ABOUT,
         [](FrameworkTest& t) { PostMessageA(t.Item(IDC_ABOUT), BM_CLICK, 0, 0); }},
        {"system menu", "About Skirmaker", IDC_SHIP3,
         [](FrameworkTest& t) { PostMessageA(t.m_setup, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }},
        {"View Map button", "Map Positions", IDC_VIEW_MAP,
         [](FrameworkTest& t) { PostMessageA(t.Item(IDC_VIEW_MAP), BM_CLICK, 0, 0); }},
        {"the platform's DialogBoxParam", "About Skirmaker", IDC_SHIP3,
         [](FrameworkTest& t) {
             HWND owner = t.m_setup;
             t.m_ui->Post([owner] {
                 DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUTBOX), owner, BareDialogProc, 0);
             });
         }},
    };
    Open();
    for (const auto& opener : openers) {
        for (const WORD closeKey : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
            SCOPED_TRACE(std::string(opener.how) + (closeKey == VK_RETURN ? ", closed with OK" : ", closed with Esc"));
            Focus(IDC_SHIP3);
            opener.open(*this);
            HWND modal = WaitForDialog(opener.caption);
            ASSERT_TRUE(modal);
            m_ui->Flush();
            EXPECT_FALSE(IsWindowEnabled(m_setup));
            PostKey(ThreadState(modal).hwndFocus, closeKey);
            ASSERT_TRUE(WaitFor([&] { return !IsWindow(modal); }));
            m_ui->Flush();
            const GUITHREADINFO state = ThreadState(m_setup);
            EXPECT_TRUE(IsWindowEnabled(m_setup));
            EXPECT_EQ(state.hwndActive, m_setup);
            EXPECT_EQ(state.hwndFocus, Item(opener.focusedBefore));
        }
    }
}

TEST_F(FrameworkTest, WindowsOpenCentredAndWhollyOnTheWorkArea) {
    Open();
    const RECT area = WorkArea();
    ExpectCentredOver(Rect(m_setup), area, "setup dialog, which has no owner");

    PostMessageA(Item(IDC_HELP_BUTTON), BM_CLICK, 0, 0);
    HWND sheet = WaitForDialog("HELP!!");
    ASSERT_TRUE(sheet);
    ExpectCentredOver(Rect(sheet), Rect(m_setup), "help sheet");
    SendMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);

    const RECT setup = Rect(m_setup);
    const int width = setup.right - setup.left, height = setup.bottom - setup.top;
    const struct {
        const char* where;
        int x, y;
    } positions[] = {{"in place", setup.left, setup.top},
                     {"half off the top left", area.left - width / 2, area.top - height / 2},
                     {"half off the bottom right", area.right - width / 2, area.bottom - height / 2}};
    for (const auto& position : positions) {
        SCOPED_TRACE(position.where);
        SetWindowPos(m_setup, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_ui->Flush();
        PostMessageA(Item(IDC_ABOUT), BM_CLICK, 0, 0);
        HWND about = WaitForDialog("About Skirmaker");
        ASSERT_TRUE(about);
        const RECT box = Rect(about);
        EXPECT_TRUE(Inside(box, area));
        if (Inside(Rect(m_setup), area)) ExpectCentredOver(box, Rect(m_setup), "about box");
        PostMessageA(GetDlgItem(about, IDOK), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }));
    }
}

TEST_F(FrameworkTest, ControlObjectsLetGoOfDestroyedWindowsAndTheDialogRunsAgain) {
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(run);
        Open();
        EXPECT_EQ(CWnd::FromHandle(Item(IDC_CATALOGUE)), &m_dlg->m_comboCatalogue);
        HWND edit = FindWindowExA(Item(IDC_CATALOGUE), nullptr, "Edit", nullptr);
        SendMessageA(m_setup, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
        TypeText(*m_ui, edit, "kes");
        EXPECT_EQ(WindowText(edit), "Kestrel");  // the control object completes typed names
        PostKey(Item(IDC_SHIP1), VK_ESCAPE);
        ASSERT_TRUE(m_ui->Join());
        EXPECT_EQ(m_dlg->m_comboCatalogue.m_hWnd, nullptr);
        EXPECT_EQ(m_dlg->m_comboSetups.m_hWnd, nullptr);
        EXPECT_EQ(m_dlg->m_hWnd, nullptr);
    }
}

TEST_F(FrameworkTest, TheHelpSheetsHookChainsAndKeepsTheWindowsCharacterSet) {
    Open();
    PostMessageA(Item(IDC_HELP_BUTTON), BM_CLICK, 0, 0);
    HWND sheet = WaitForDialog("HELP!!");
    ASSERT_TRUE(sheet);
    EXPECT_FALSE(IsWindowUnicode(sheet));
    // Another hook installed after the sheet's own still sees the sheet's messages
    // to its end, and the close box still ends the sheet through the sheet's hook.
    static std::atomic<int> s_destroyed{0};
    m_ui->Post([sheet] {
        SetWindowSubclass(
            sheet,
            [](HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) -> LRESULT {
                if (message == WM_NCDESTROY) ++s_destroyed;
                return DefSubclassProc(hWnd, message, wParam, lParam);
            },
            77, 0);
    });
    m_ui->Flush();
    SendMessageA(sheet, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_FALSE(IsWindow(sheet));
    EXPECT_EQ(s_destroyed, 1);
    EXPECT_TRUE(m_boxes.Boxes().empty());
}

// A dialog whose handlers fail in the ways a real one can.
class FailingDialog : public CDialog {
public:
    FailingDialog() : CDialog(IDD_SKIRMAKER_DIALOG) {}
    bool m_failOpening = false;
    bool m_failTransfer = false;
    int m_changes = 0;

    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (m_failOpening) throw std::bad_alloc();
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Text(pDX, IDC_SHIP1, m_text);
        if (m_failTransfer) throw std::runtime_error("the transfer broke");
    }
    void OnSave() { UpdateData(TRUE); }
    void OnDelete() { throw std::bad_alloc(); }
    void OnChangeShip1() { ++m_changes; }

protected:
    MessageMap GetMessageMap() const override {
        static constexpr MessageEntry kMap[] = {
            ON_BN_CLICKED(IDC_SAVE, FailingDialog, OnSave),
            ON_BN_CLICKED(IDC_DELETE, FailingDialog, OnDelete),
            ON_EN_CHANGE(IDC_SHIP1, FailingDialog, OnChangeShip1),
        };
        return kMap;
    }

private:
    std::string m_text;
};

TEST(FrameworkErrorsTest, AFailedHandlerIsReportedAndRestoresWhatItSet) {
    MessageBoxRecorder boxes;
    FailingDialog dlg;
    dlg.m_failOpening = true;
    UiThread ui([&] { dlg.DoModal(); });
    HWND hWnd = WaitForDialog(kSetupCaption);
    ASSERT_TRUE(hWnd);
    ui.Flush();
    const struct {
        const char* what;
        std::function<void()> act;
        std::string report;
    } steps[] = {
        {"opening", [] {}, "Opening the window did not finish: there is not enough memory."},
        {"a transfer", [&] { dlg.m_failTransfer = true; SendMessageA(GetDlgItem(hWnd, IDC_SAVE), BM_CLICK, 0, 0); },
         "\"Save\" did not finish: the transfer broke."},
        {"a handler", [&] { SendMessageA(GetDlgItem(hWnd, IDC_DELETE), BM_CLICK, 0, 0); },
         "\"Delete\" did not finish: there is not enough memory."},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.act();
        ui.Flush();
        const auto reported = boxes.Boxes();
        ASSERT_EQ(reported.size(), 1u);
        EXPECT_EQ(reported[0].text, step.report);
        EXPECT_EQ(reported[0].owner, hWnd);
        EXPECT_EQ(reported[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
        boxes.Clear();
    }
    // The transfer that broke no longer holds back the controls' notifications.
    dlg.m_failTransfer = false;
    SetDlgItemTextA(hWnd, IDC_SHIP1, "typed");
    ui.Flush();
    EXPECT_EQ(dlg.m_changes, 1);
    PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(ui.Join());
}

}  // namespace
