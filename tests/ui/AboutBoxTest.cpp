// The about box and the map window on a real display: the dialogs run modally on
// the test thread while a driver thread watches them and presses their controls.
#include "framework/App.h"
#include "resource.h"
#include "ui/AboutDlg.h"
#include "ui/MapPositionsDlg.h"
#include "ui/SkirmakerDlg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace {

// Owner lookup needs an application object; it never runs.
class CTestApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
};
CTestApp theTestApp;

constexpr char kAboutCaption[] = "About Skirmaker";
constexpr char kMapCaption[] = "Map Positions";
constexpr char kSetupCaption[] = "Skirmaker v1.0 for Voidwake";
constexpr DWORD kTimeoutMs = 10000;

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

struct ShellCall {
    HWND owner;
    std::string operation;
    std::string file;
    bool hasParameters;
    bool hasDirectory;
    INT showCommand;
};

// Message boxes and shell calls are made on the test thread and read there after
// the dialogs have closed, so they need no lock.
std::vector<MessageBoxCall> g_messageBoxes;
std::vector<ShellCall> g_shellCalls;
std::intptr_t g_shellResult = 42;

int RecordMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    g_messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", type});
    return IDOK;
}

HINSTANCE RecordShellExecute(HWND owner, const char* operation, const char* file, const char* parameters,
                             const char* directory, INT showCommand) {
    g_shellCalls.push_back({owner, operation ? operation : "", file ? file : "", parameters != nullptr,
                            directory != nullptr, showCommand});
    return reinterpret_cast<HINSTANCE>(g_shellResult);
}

// Polls until `done` holds or the time is up; false on time-out.
bool WaitFor(const std::function<bool()>& done) {
    const ULONGLONG end = GetTickCount64() + kTimeoutMs;
    while (!done()) {
        if (GetTickCount64() > end) return false;
        Sleep(10);
    }
    return true;
}

std::vector<HWND> VisibleDialogs(DWORD thread) {
    std::vector<HWND> found;
    EnumThreadWindows(
        thread,
        [](HWND hWnd, LPARAM list) {
            char className[16] = {};
            GetClassNameA(hWnd, className, sizeof className);
            if (IsWindowVisible(hWnd) && std::string(className) == "#32770")
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hWnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND FindDialog(DWORD thread, const char* caption) {
    for (HWND hWnd : VisibleDialogs(thread))
        if (GetWindowTextString(hWnd) == caption) return hWnd;
    return nullptr;
}

HWND WaitForDialog(DWORD thread, const char* caption) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindDialog(thread, caption)) != nullptr; });
    return found;
}

bool WaitUntilClosed(HWND hWnd) {
    return WaitFor([&] { return !IsWindow(hWnd); });
}

// A click that runs its handler before returning (the handler must not block).
bool ClickNow(HWND dialog, int id) {
    DWORD_PTR ignored = 0;
    return SendMessageTimeoutA(GetDlgItem(dialog, id), BM_CLICK, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored) != 0;
}

// A click that may open a modal window: posted, so the driver goes on.
void ClickLater(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// Posts a key to the dialog's focused control (or the dialog), so it passes the
// dialog's own message loop as typing does.
void PressKey(HWND dialog, UINT key) {
    HWND target = dialog;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus &&
        IsChild(dialog, info.hwndFocus))
        target = info.hwndFocus;
    PostMessageA(target, WM_KEYDOWN, key, 1);
    PostMessageA(target, WM_KEYUP, key, 0xC0000001);
}

HWND FindStatic(HWND dialog, DWORD type) {
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        GetClassNameA(child, className, sizeof className);
        const auto style = static_cast<DWORD>(GetWindowLongPtrA(child, GWL_STYLE));
        if (lstrcmpiA(className, "Static") == 0 && (style & SS_TYPEMASK) == type) return child;
    }
    return nullptr;
}

SIZE BitmapSize(HWND control) {
    auto bitmap = reinterpret_cast<HBITMAP>(SendMessageA(control, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP info{};
    if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
    return {info.bmWidth, info.bmHeight};
}

SIZE WindowSize(HWND hWnd) {
    RECT rect{};
    GetWindowRect(hWnd, &rect);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// Runs `runModal` on this thread while `drive` works on a second one. If the
// driver gives up, every dialog still open is cancelled so the test never hangs.
bool RunDriven(const std::function<void()>& runModal, const std::function<bool(DWORD uiThread)>& drive) {
    const DWORD uiThread = GetCurrentThreadId();
    bool driven = false;
    std::thread driver([&] {
        driven = drive(uiThread);
        if (!driven) {
            for (HWND hWnd : VisibleDialogs(uiThread)) PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        }
    });
    runModal();
    driver.join();
    return driven;
}

// What tells two openings of the about box apart, if anything does.
struct AboutBoxView {
    std::string caption;
    DWORD style = 0;
    SIZE size{};
    HWND owner = nullptr;
    BOOL ownerEnabled = TRUE;
    std::string title;
    std::string address;
    SIZE banner{};

    bool operator==(const AboutBoxView& other) const {
        return caption == other.caption && style == other.style && size.cx == other.size.cx &&
               size.cy == other.size.cy && owner == other.owner && ownerEnabled == other.ownerEnabled &&
               title == other.title && address == other.address && banner.cx == other.banner.cx &&
               banner.cy == other.banner.cy;
    }
};

AboutBoxView ViewAboutBox(HWND box) {
    AboutBoxView view;
    view.caption = GetWindowTextString(box);
    view.style = static_cast<DWORD>(GetWindowLongPtrA(box, GWL_STYLE));
    view.size = WindowSize(box);
    view.owner = GetWindow(box, GW_OWNER);
    view.ownerEnabled = view.owner ? IsWindowEnabled(view.owner) : TRUE;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetWindowTextString(child).find("SKIRMAKER") != std::string::npos) view.title = GetWindowTextString(child);
    }
    view.address = GetWindowTextString(GetDlgItem(box, IDC_URL));
    view.banner = BitmapSize(FindStatic(box, SS_BITMAP));
    return view;
}

class AboutBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_pfnMessageBox = RecordMessageBox;
        g_pfnShellExecute = RecordShellExecute;
        ClearRecords();
    }
    void TearDown() override {
        g_pfnMessageBox = m_savedMessageBox;
        g_pfnShellExecute = m_savedShellExecute;
        theTestApp.m_pMainWnd = nullptr;
    }

    static void ClearRecords() {
        g_messageBoxes.clear();
        g_shellCalls.clear();
    }

    // Runs the setup dialog as the main window while `drive` works on it; the
    // driver ends it with the cancel command, which writes nothing.
    bool RunSetupDialog(const std::function<bool(HWND setup, DWORD uiThread)>& drive) {
        CSkirmakerDlg setup;
        theTestApp.m_pMainWnd = &setup;
        return RunDriven([&] { setup.DoModal(); },
                         [&](DWORD uiThread) {
                             HWND hSetup = WaitForDialog(uiThread, kSetupCaption);
                             if (!hSetup || !drive(hSetup, uiThread)) return false;
                             PostMessageA(hSetup, WM_COMMAND, IDCANCEL, 0);
                             return WaitUntilClosed(hSetup);
                         });
    }

private:
    MessageBoxFunction m_savedMessageBox = g_pfnMessageBox;
    ShellExecuteFunction m_savedShellExecute = g_pfnShellExecute;
};

TEST_F(AboutBoxTest, SystemMenuEndsWithSeparatorAndAboutItem) {
    int count = 0;
    MENUITEMINFOA separator{}, about{};
    char text[64] = {};
    ASSERT_TRUE(RunSetupDialog([&](HWND setup, DWORD) {
        HMENU menu = GetSystemMenu(setup, FALSE);
        count = menu ? GetMenuItemCount(menu) : 0;
        if (count < 2) return true;
        separator.cbSize = about.cbSize = sizeof(MENUITEMINFOA);
        separator.fMask = MIIM_FTYPE;
        about.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        about.dwTypeData = text;
        about.cch = sizeof text;
        return GetMenuItemInfoA(menu, count - 2, TRUE, &separator) && GetMenuItemInfoA(menu, count - 1, TRUE, &about);
    }));
    ASSERT_GE(count, 2);
    EXPECT_TRUE(separator.fType & MFT_SEPARATOR);
    EXPECT_FALSE(about.fType & MFT_SEPARATOR);
    EXPECT_EQ(about.wID, static_cast<UINT>(IDM_ABOUTBOX));
    EXPECT_STREQ(text, "&About Skirmaker...");
}

TEST_F(AboutBoxTest, ButtonAndSystemMenuOpenTheSameBox) {
    AboutBoxView fromButton, fromMenu;
    HWND setupWindow = nullptr;
    BOOL enabledAfterButton = FALSE, enabledAfterMenu = FALSE;
    // Opens the box one way, looks at it and closes it with OK.
    auto openAndView = [](HWND setup, DWORD uiThread, const std::function<void()>& open, AboutBoxView& view,
                          BOOL& enabledAfter) {
        open();
        HWND box = WaitForDialog(uiThread, kAboutCaption);
        if (!box) return false;
        view = ViewAboutBox(box);
        ClickLater(box, IDOK);
        if (!WaitUntilClosed(box)) return false;
        enabledAfter = WaitFor([&] { return IsWindowEnabled(setup) != FALSE; });
        return true;
    };
    ASSERT_TRUE(RunSetupDialog([&](HWND setup, DWORD uiThread) {
        setupWindow = setup;
        return openAndView(setup, uiThread, [&] { ClickLater(setup, IDC_ABOUT); }, fromButton, enabledAfterButton) &&
               openAndView(setup, uiThread, [&] { PostMessageA(setup, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }, fromMenu,
                           enabledAfterMenu);
    }));
    EXPECT_TRUE(fromButton == fromMenu);
    EXPECT_EQ(fromButton.caption, kAboutCaption);
    EXPECT_EQ(fromButton.title, " SKIRMAKER v1.0 for Voidwake ");
    EXPECT_FALSE(fromButton.address.empty());
    EXPECT_EQ(fromButton.banner.cx, 250);
    EXPECT_EQ(fromButton.banner.cy, 45);
    EXPECT_TRUE(fromButton.style & WS_SYSMENU);
    // Owned by the setup dialog, which stays disabled while the box is open.
    EXPECT_EQ(fromButton.owner, setupWindow);
    EXPECT_FALSE(fromButton.ownerEnabled);
    EXPECT_TRUE(enabledAfterButton);
    EXPECT_TRUE(enabledAfterMenu);
}

TEST_F(AboutBoxTest, VisitReportsEmptyAddressAndShellFailure) {
    constexpr char kNoUrl[] = "No URL defined on button!";
    constexpr char kShellFailed[] = "::ShellExecute failed to open this link!";
    struct Case {
        const char* name;
        const char* address;  // nullptr keeps the template's address
        std::intptr_t shellResult;
        bool callsShell;
        const char* message;  // nullptr: no message box
    };
    const Case cases[] = {
        {"empty address", "", 42, false, kNoUrl},
        {"address of the template", nullptr, 42, true, nullptr},
        {"file not found", "http://refused.invalid/", SE_ERR_FNF, true, kShellFailed},
        {"32 is still a failure", "http://refused.invalid/", 32, true, kShellFailed},
        {"negative result", "http://refused.invalid/", -1, true, kShellFailed},
        {"33 is success", "http://accepted.invalid/", 33, true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ClearRecords();
        g_shellResult = c.shellResult;
        HWND box = nullptr;
        std::string shown;
        BOOL openAfterVisit = FALSE;
        CAboutDlg dlg;
        INT_PTR result = 0;
        ASSERT_TRUE(RunDriven([&] { result = dlg.DoModal(); },
                              [&](DWORD uiThread) {
                                  box = WaitForDialog(uiThread, kAboutCaption);
                                  if (!box) return false;
                                  if (c.address) SetDlgItemTextA(box, IDC_URL, c.address);
                                  shown = GetWindowTextString(GetDlgItem(box, IDC_URL));
                                  if (!ClickNow(box, IDC_VISIT)) return false;
                                  openAfterVisit = IsWindowVisible(box);
                                  ClickLater(box, IDOK);
                                  return WaitUntilClosed(box);
                              }));
        EXPECT_EQ(result, IDOK);
        EXPECT_TRUE(openAfterVisit);

        ASSERT_EQ(g_shellCalls.size(), c.callsShell ? 1u : 0u);
        if (c.callsShell) {
            const ShellCall& call = g_shellCalls[0];
            EXPECT_FALSE(shown.empty());
            EXPECT_EQ(call.file, shown);
            EXPECT_EQ(call.operation, "open");
            EXPECT_EQ(call.owner, nullptr);
            EXPECT_FALSE(call.hasParameters);
            EXPECT_FALSE(call.hasDirectory);
            EXPECT_EQ(call.showCommand, SW_SHOWNORMAL);
        }
        ASSERT_EQ(g_messageBoxes.size(), c.message ? 1u : 0u);
        if (c.message) {
            const MessageBoxCall& box0 = g_messageBoxes[0];
            EXPECT_EQ(box0.text, c.message);
            EXPECT_EQ(box0.caption, AfxGetAppTitle());
            EXPECT_EQ(box0.type, static_cast<UINT>(MB_OK));
            EXPECT_EQ(box0.owner, box);
        }
    }
}

TEST_F(AboutBoxTest, MapShowsPictureAtItsOwnSizeWithoutSystemMenu) {
    DWORD style = 0;
    SIZE picture{}, control{};
    std::string legend;
    CMapPositionsDlg dlg;
    ASSERT_TRUE(RunDriven([&] { dlg.DoModal(); },
                          [&](DWORD uiThread) {
                              HWND map = WaitForDialog(uiThread, kMapCaption);
                              if (!map) return false;
                              style = static_cast<DWORD>(GetWindowLongPtrA(map, GWL_STYLE));
                              HWND bitmap = FindStatic(map, SS_BITMAP);
                              picture = BitmapSize(bitmap);
                              control = WindowSize(bitmap);
                              legend = GetWindowTextString(FindStatic(map, SS_CENTER));
                              ClickLater(map, IDOK);
                              return WaitUntilClosed(map);
                          }));
    EXPECT_FALSE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_EQ(picture.cx, 163);
    EXPECT_EQ(picture.cy, 272);
    EXPECT_EQ(control.cx, picture.cx);
    EXPECT_EQ(control.cy, picture.cy);
    EXPECT_EQ(legend,
              "A1 - A6\nEnemy AI Ships\n\nOrange P1 - P6\nPlayer Ships (Team2)\n\nBlue P1 - P6\nPlayer Ships (Team 1)");
}

TEST_F(AboutBoxTest, MapClosesOnEscapeEnterAndOk) {
    struct Case {
        const char* name;
        UINT key;  // 0: click OK
        INT_PTR result;
    };
    const Case cases[] = {
        {"Esc", VK_ESCAPE, IDCANCEL},
        {"Enter", VK_RETURN, IDOK},
        {"OK button", 0, IDOK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMapPositionsDlg dlg;
        INT_PTR result = 0;
        ASSERT_TRUE(RunDriven([&] { result = dlg.DoModal(); },
                              [&](DWORD uiThread) {
                                  HWND map = WaitForDialog(uiThread, kMapCaption);
                                  if (!map) return false;
                                  if (c.key)
                                      PressKey(map, c.key);
                                  else
                                      ClickLater(map, IDOK);
                                  return WaitUntilClosed(map);
                              }));
        EXPECT_EQ(result, c.result);
    }
}

}  // namespace
