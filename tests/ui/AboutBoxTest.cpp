// The about box's "Visit" button on a real display: the address it opens and
// what it says when there is none or the shell refuses it.
#include "DialogHarness.h"

#include "ui/AboutDlg.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

using namespace skmtest;

namespace {

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
