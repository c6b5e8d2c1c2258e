#pragma once
// Test support for the Win32 shell: runs modal dialogs on a thread of their own
// so a test can drive them through real messages, records message boxes
// instead of showing them, and makes a game install and working folder.
#include "app/GameRegistry.h"
#include "files/WideText.h"
#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"
#include "TestFiles.h"
#include "ui/SkirmakerDlg.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace skmtest {

namespace fs = std::filesystem;

struct TestApp : CWinApp {
    BOOL InitInstance() override { return FALSE; }
};
inline TestApp theTestApp;

struct RecordedBox {
    HWND owner;
    std::string text, caption;
    UINT type;
};

inline std::mutex g_boxMutex;
inline std::vector<RecordedBox> g_boxes;
inline std::deque<int> g_answers;

inline int RecordBox(HWND owner, const char* text, const char* caption, UINT type) {
    std::lock_guard<std::mutex> lock(g_boxMutex);
    g_boxes.push_back({owner, text ? text : "", caption ? caption : "", type});
    if (g_answers.empty()) return IDOK;
    const int answer = g_answers.front();
    g_answers.pop_front();
    return answer;
}

// Every message box of the program is recorded and answered at once, with
// IDOK unless ClearBoxes was given other answers.
inline const bool g_recordingBoxes = [] {
    g_pfnMessageBox = &RecordBox;
    return true;
}();

inline std::vector<RecordedBox> Boxes() {
    std::lock_guard<std::mutex> lock(g_boxMutex);
    return g_boxes;
}

// Forgets the boxes recorded; the next ones are answered with `answers` in turn.
inline void ClearBoxes(std::initializer_list<int> answers = {}) {
    std::lock_guard<std::mutex> lock(g_boxMutex);
    g_boxes.clear();
    g_answers.assign(answers);
}

// Waits until `condition` holds; false on time-out.
inline bool WaitFor(const std::function<bool()>& condition) {
    for (const DWORD start = GetTickCount(); !condition(); Sleep(5))
        if (GetTickCount() - start > 20000) return false;
    return true;
}

// Runs `run` (typically a DoModal) on a UI thread of its own.
class UiThread {
public:
    explicit UiThread(std::function<void()> run) {
        std::promise<void> ready;
        m_thread = std::thread([&ready, this, run = std::move(run)] {
            WNDCLASSA cls{};
            cls.lpfnWndProc = &SyncProc;
            cls.hInstance = GetModuleHandleA(nullptr);
            cls.lpszClassName = "SkirmakerTestSync";
            RegisterClassA(&cls);
            m_sync = CreateWindowA(cls.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
            ready.set_value();
            run();
            DestroyWindow(m_sync);
            m_done = true;
        });
        ready.get_future().wait();
    }
    ~UiThread() {
        if (m_thread.joinable()) m_thread.join();
    }

    // Runs `call` on the UI thread from its message loop, without waiting (it
    // may open a modal window).
    void Post(std::function<void()> call) {
        auto* posted = new std::function<void()>(std::move(call));
        if (!PostMessageA(m_sync, WM_APP, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
    }
    // Waits until the UI thread has handled every message posted before. Twice:
    // characters that the first round's key-downs produced are posted behind
    // the first marker.
    void Flush() {
        for (int round = 0; round < 2; ++round) {
            auto handled = std::make_shared<std::promise<void>>();
            std::future<void> done = handled->get_future();
            Post([handled] { handled->set_value(); });
            done.wait_for(std::chrono::seconds(10));  // once the thread has ended, at once
        }
    }
    // Waits for the thread to end; false on time-out.
    bool Join() {
        if (!WaitFor([this] { return Finished(); })) return false;
        if (m_thread.joinable()) m_thread.join();
        return true;
    }
    bool Finished() const { return m_done; }

private:
    static LRESULT CALLBACK SyncProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_APP) return DefWindowProcA(hWnd, message, wParam, lParam);
        const std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lParam));
        (*call)();
        return 0;
    }
    HWND m_sync = nullptr;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// A visible top-level dialog with this caption, waited for; nullptr on time-out.
inline HWND WaitForDialog(const char* caption) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowA("#32770", caption)) && IsWindowVisible(found); });
    return found;
}

inline void PostKey(HWND target, WORD vk) {
    const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

// Types `text` into `target` key by key, waiting until each key is handled.
inline void TypeText(UiThread& ui, HWND target, const std::string& text) {
    for (char c : text) {
        const SHORT scan = VkKeyScanA(c);
        if (HIBYTE(scan) & 1) {
            // Posted keys do not change the keyboard state that turns a key into
            // a character, so a shifted character is posted as such, between the
            // Shift key's own press and release.
            PostMessageA(target, WM_KEYDOWN, VK_SHIFT, 1 | (MapVirtualKeyA(VK_SHIFT, MAPVK_VK_TO_VSC) << 16));
            PostMessageA(target, WM_CHAR, static_cast<unsigned char>(c), 1);
            PostMessageA(target, WM_KEYUP, VK_SHIFT, 1 | (1u << 30) | (1u << 31));
        } else {
            PostKey(target, LOBYTE(scan));  // the message loop's translation makes the character
        }
        ui.Flush();
    }
}

inline std::string WindowText(HWND hWnd) {
    std::string text(GetWindowTextLengthA(hWnd) + 1, '\0');
    text.resize(GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size())));
    return text;
}

// Removes a folder with all it holds, read-only files included.
inline void RemoveTree(const fs::path& root) {
    std::error_code ignored;
    for (auto entry = fs::recursive_directory_iterator(root, ignored); entry != fs::recursive_directory_iterator();
         entry.increment(ignored))
        SetFileAttributesA(entry->path().string().c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(root, ignored);
}

// A game install folder with Assets\Scripts\, registered where the game's
// 32-bit installer writes it, and a working folder made current while it
// lives. The mission settings start afresh and find the game through the
// registry, as the program's do.
class GameSandbox {
public:
    GameSandbox() {
        RemoveTree(root);
        fs::create_directories(scriptsIni.parent_path());
        WriteFileBytes(scriptsIni.parent_path() / "Mul_Skirmaker.scr", "");  // a sound installation
        fs::create_directories(work);
        HKEY key;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key,
                        nullptr);
        const std::string path = install.string();
        RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()), path.size() + 1);
        RegCloseKey(key);
        theMissionSettings = CMissionSettings();
        theMissionSettings.SetInstallRecords(&s_registry);
        RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey);
        fs::current_path(work);
        ClearBoxes();
    }
    ~GameSandbox() {
        fs::current_path(m_previousDirectory);
        RemoveGame();
        RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey);
        RemoveTree(root);
    }
    // Takes the game's key out of the registry, as if it had never been installed.
    static void RemoveGame() { RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, KEY_WOW64_32KEY, 0); }

    const fs::path root = fs::temp_directory_path() / ("skmtest-" + std::to_string(GetCurrentProcessId()) + "-" +
                                                       std::to_string(s_count++));
    const fs::path install = root / "game", work = root / "work";
    const fs::path scriptsIni = install / "Assets" / "Scripts" / "scripts.ini";
    const fs::path dataFile = work / "SkirmakerData.dat";

private:
    static constexpr char kGameKey[] = "Software\\Corvanta\\Voidwake";
    static constexpr char kProgramKey[] = "Software\\Halvane\\Skirmaker";
    static inline CGameRegistry s_registry;
    static inline int s_count = 0;
    const fs::path m_previousDirectory = fs::current_path();
};

// A setup dialog run modally on its own UI thread as the main window, opened
// and waited for on construction and cancelled if still open at the end.
class SetupDialogRun {
public:
    // Runs a dialog of its own, or `dialog` (which may have run before).
    explicit SetupDialogRun(CSkirmakerDlg* dialog = nullptr)
        : owned(dialog ? nullptr : std::make_unique<CSkirmakerDlg>()), dlg(dialog ? dialog : owned.get()) {
        theTestApp.m_pMainWnd = dlg;
        ui = std::make_unique<UiThread>([this] { result = dlg->DoModal(); });
        hWnd = WaitForDialog("Skirmaker v1.0 for Voidwake");
        ui->Flush();
        // The game's ships join once the dialog is on screen; the ship fields are checked and their tips made then.
        WaitFor([this] { return !dlg->m_bStarted || (dlg->m_bGameShipsKnown && dlg->m_shipTips.m_focused.m_hWnd); });
    }
    ~SetupDialogRun() {
        ClearBoxes({IDYES});  // setups a failed test left unsaved do not keep the dialog open
        if (!ui->Finished() && IsWindow(hWnd)) PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        ui->Join();
        theTestApp.m_pMainWnd = nullptr;
    }

    HWND Item(int id) const { return GetDlgItem(hWnd, id); }
    // Moves the focus as the dialog's own Tab key would, and waits until it has moved.
    void Focus(HWND window) {
        SendMessageA(hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
        ui->Flush();
    }
    // Chooses a line of the combo `id` the way the list reports a choice.
    void Choose(int id, LRESULT index) {
        SendMessageA(Item(id), CB_SETCURSEL, index, 0);
        SendMessageA(hWnd, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(id)));
        ui->Flush();
    }
    // Clicks a button and waits until the click is handled.
    void Click(int id) {
        SendMessageA(Item(id), BM_CLICK, 0, 0);
        ui->Flush();
    }
    // Ends the dialog with Esc, or with the caption's close box, and waits for the end.
    bool Close(bool closeBox = false) {
        if (closeBox)
            PostMessageA(hWnd, WM_CLOSE, 0, 0);
        else
            PostKey(Item(IDC_SHIP1), VK_ESCAPE);
        return ui->Join();
    }
    // The dialog thread's active window and keyboard focus.
    GUITHREADINFO Gui() const {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(hWnd, nullptr), &info);
        return info;
    }

    std::unique_ptr<CSkirmakerDlg> owned;
    CSkirmakerDlg* dlg;
    INT_PTR result = 0;
    std::unique_ptr<UiThread> ui;
    HWND hWnd = nullptr;
};

// A test of the setup dialog in a game sandbox of its own, started when the test says.
class DialogTest : public ::testing::Test {
protected:
    // Starts the dialog, ending the one before, with no message box recorded
    // yet; its message boxes are answered with `answers` in turn.
    void Start(std::initializer_list<int> answers = {}) {
        run.reset();
        ClearBoxes(answers);
        run = std::make_unique<SetupDialogRun>();
    }
    // Starts the dialog on a game whose settings file holds `ini`.
    void Start(const std::string& ini, std::initializer_list<int> answers = {}) {
        WriteFileBytes(game.scriptsIni, ini);
        Start(answers);
    }
    HWND Item(int id) const { return run->Item(id); }
    std::string Text(int id) const { return WindowText(run->Item(id)); }
    // One message box of this type, owned by the dialog, whose text holds `words`.
    void ExpectOneBox(UINT type, const std::string& words) const {
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_NE(boxes[0].text.find(words), std::string::npos) << boxes[0].text;
        EXPECT_EQ(boxes[0].type, type);
        EXPECT_EQ(boxes[0].owner, run->hWnd);
    }

    GameSandbox game;
    std::unique_ptr<SetupDialogRun> run;
};

}  // namespace skmtest
