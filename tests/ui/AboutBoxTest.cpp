// The about box and the map window on a real display: each dialog runs modally on
// a UI thread of its own while the test finds it and drives it through messages.
#include "DialogHarness.h"
#include "framework/App.h"
#include "resource.h"
#include "ui/AboutDlg.h"
#include "ui/MapPositionsDlg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr char kAboutCaption[] = "About Skirmaker";

// Written on the UI thread; read by the test only after flushing that thread.
std::vector<std::string> g_shellCalls;
std::intptr_t g_shellResult = 42;

HINSTANCE RecordShellExecute(HWND, const char* operation, const char* file, const char*, const char*, INT show) {
    g_shellCalls.push_back(std::string(operation) + " " + file + (show == SW_SHOWNORMAL ? "" : " hidden"));
    return reinterpret_cast<HINSTANCE>(g_shellResult);
}

bool WaitUntilClosed(HWND hWnd) { return skmtest::WaitFor([&] { return !IsWindow(hWnd); }); }
void Click(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

HWND FindStatic(HWND dialog, DWORD type) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        if (!lstrcmpiA(className, "Static") && (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == LONG_PTR(type))
            return child;
    }
    return nullptr;
}

// "WxH" of the bitmap a picture control shows.
std::string BitmapSize(HWND control) {
    BITMAP info{};
    GetObjectA(reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0)), sizeof info, &info);
    return std::to_string(info.bmWidth) + "x" + std::to_string(info.bmHeight);
}

// Runs `dlg` modally on a UI thread while `drive` works on its window and closes it
// with `expected`; whatever is left open is cancelled, so a failure never hangs the test.
void RunModal(CDialog& dlg, const char* caption, INT_PTR expected,
              const std::function<void(skmtest::UiThread&, HWND)>& drive) {
    INT_PTR result = 0;
    skmtest::UiThread ui([&] { result = dlg.DoModal(); });
    HWND hWnd = skmtest::WaitForDialog(caption);
    if (hWnd) {
        ui.Flush();
        drive(ui, hWnd);
    }
    EXPECT_TRUE(WaitUntilClosed(hWnd)) << caption << " left open";
    for (HWND open : {FindWindowA("#32770", kAboutCaption), hWnd})
        if (IsWindow(open)) PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(ui.Join() && hWnd) << caption;
    EXPECT_EQ(result, expected) << caption;
}

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override { g_pfnShellExecute = RecordShellExecute; }
    void TearDown() override { g_pfnShellExecute = m_savedShell; }
    ShellExecuteFunction m_savedShell = g_pfnShellExecute;
    skmtest::MessageBoxRecorder m_boxes;
};

TEST_F(AboutBoxTest, SystemMenuAndAboutButtonOpenTheSameBox) {
    skmtest::GameSandbox game;
    skmtest::SetupDialogRun run;
    HMENU menu = GetSystemMenu(run.hWnd, FALSE);
    const int count = GetMenuItemCount(menu);
    char text[64] = {};
    GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Skirmaker...");
    EXPECT_EQ(GetMenuItemID(menu, count - 1), UINT(IDM_ABOUTBOX));
    EXPECT_EQ(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    std::vector<std::string> views;  // style, banner and every text of each box opened
    for (auto open : {+[](HWND s) { Click(s, IDC_ABOUT); },
                      +[](HWND s) { PostMessageA(s, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }}) {
        open(run.hWnd);
        HWND box = skmtest::WaitForDialog(kAboutCaption);
        ASSERT_TRUE(box && GetWindow(box, GW_OWNER) == run.hWnd);
        views.push_back(std::to_string(GetWindowLongPtrA(box, GWL_STYLE)) + BitmapSize(FindStatic(box, SS_BITMAP)));
        for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            views.back().append("|").append(skmtest::WindowText(child));
        Click(box, IDOK);
        ASSERT_TRUE(WaitUntilClosed(box));
    }
    ASSERT_EQ(views.size(), 2u);
    EXPECT_EQ(views[0], views[1]);
    EXPECT_NE(views[0].find("250x45|"), std::string::npos) << views[0];
    EXPECT_NE(views[0].find("| SKIRMAKER v1.0 for Voidwake |"), std::string::npos) << views[0];
}

TEST_F(AboutBoxTest, VisitReportsEmptyAddressAndShellFailureAndKeepsTheBoxOpen) {
    constexpr char kNoUrl[] = "No URL defined on button!";
    constexpr char kShellFailed[] = "::ShellExecute failed to open this link!";
    const struct {
        const char* address;  // nullptr keeps the address shown
        std::intptr_t shellResult;
        const char* message;  // nullptr: no message box
    } cases[] = {{nullptr, 42, nullptr}, {"", 42, kNoUrl}, {"http://refused.invalid/", 32, kShellFailed},
                 {"http://refused.invalid/", -1, kShellFailed}, {"http://accepted.invalid/", 33, nullptr}};
    CAboutDlg dlg;
    RunModal(dlg, kAboutCaption, IDOK, [&](skmtest::UiThread& ui, HWND box) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::to_string(c.shellResult) + " " + (c.address ? c.address : "template"));
            m_boxes.Clear();
            g_shellCalls.clear();
            g_shellResult = c.shellResult;
            if (c.address) SetDlgItemTextA(box, IDC_URL, c.address);
            const std::string address = skmtest::WindowText(GetDlgItem(box, IDC_URL));
            Click(box, IDC_VISIT);
            ui.Flush();
            EXPECT_TRUE(IsWindowVisible(box));
            EXPECT_EQ(g_shellCalls, address.empty() ? std::vector<std::string>{} : std::vector{"open " + address});
            const std::vector<skmtest::RecordedBox> boxes = m_boxes.Boxes();
            ASSERT_EQ(boxes.size(), c.message ? 1u : 0u);
            EXPECT_TRUE(!c.message || (boxes[0].text == c.message && boxes[0].owner == box)) << c.message;
        }
        Click(box, IDOK);
    });
}

TEST_F(AboutBoxTest, MapHasNoSystemMenuShowsTheLegendAndClosesOnEscEnterAndOk) {
    const struct {
        WORD key;  // 0: click OK
        INT_PTR result;
    } cases[] = {{VK_ESCAPE, IDCANCEL}, {VK_RETURN, IDOK}, {0, IDOK}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        CMapPositionsDlg dlg;
        RunModal(dlg, "Map Positions", c.result, [&](skmtest::UiThread&, HWND map) {
            EXPECT_FALSE(GetWindowLongPtrA(map, GWL_STYLE) & WS_SYSMENU);
            EXPECT_EQ(BitmapSize(FindStatic(map, SS_BITMAP)), "163x272");
            EXPECT_EQ(skmtest::WindowText(FindStatic(map, SS_CENTER)),
                      "A1 - A6\nEnemy AI Ships\n\nOrange P1 - P6\nPlayer Ships (Team2)\n\nBlue P1 - P6\nPlayer Ships (Team 1)");
            if (!c.key) return Click(map, IDOK);
            skmtest::PostKey(GetDlgItem(map, IDOK), c.key);  // the focused control, as typing does
        });
    }
}

}  // namespace
