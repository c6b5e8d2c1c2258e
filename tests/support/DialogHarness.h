#pragma once
// Test support for the Win32 shell: runs modal dialogs on a thread of their own
// so a test can drive them through real messages, records message boxes
// instead of showing them, and makes a game install and working folder.
#include "ui/SkirmakerDlg.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace skmtest {

struct RecordedBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

// Replaces the program's message boxes while it lives: each box is recorded
// and answered with `answer` (IDOK unless set) at once.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    std::vector<RecordedBox> Boxes() const;
    void Clear();
    static inline std::atomic<int> answer{IDOK};
};

// Runs `run` (which typically calls DoModal) on a UI thread of its own.
class UiThread {
public:
    explicit UiThread(std::function<void()> run);
    ~UiThread();  // joins

    // Waits until the UI thread has handled every message posted before.
    void Flush();
    // Runs `call` on the UI thread from its message loop, without waiting (it
    // may open a modal window).
    void Post(std::function<void()> call);
    // Waits for the thread to end; false on time-out.
    bool Join(DWORD timeoutMs = 20000);
    bool Finished() const { return m_done; }

private:
    static LRESULT CALLBACK SyncProc(HWND, UINT, WPARAM, LPARAM);
    HANDLE m_ready = nullptr;
    HANDLE m_synced = nullptr;
    HWND m_sync = nullptr;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Waits until `condition` holds; false on time-out.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);
// A visible top-level dialog with this caption, waited for; nullptr on time-out.
HWND WaitForDialog(const char* caption);

// Types `text` into `target` key by key, waiting until each key is handled.
void TypeText(UiThread& ui, HWND target, const std::string& text);
// Posts one key press and release.
void PostKey(HWND target, WORD vk);
std::string WindowText(HWND hWnd);

// A fresh folder under the temporary folder, removed with its content at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& Path() const { return m_path; }  // ends without a backslash
    std::string File(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it is missing.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);
// The names in a folder, sorted.
std::vector<std::string> FolderNames(const std::string& folder);

// Sets (or, with nullptr, removes) the game's InstallPath value where the
// game's 32-bit installer writes it; `keyPresent` false removes the key.
void SetInstallPath(const char* value, bool keyPresent = true);

// A game install folder with Assets\Scripts\, registered as the game's, and a
// working folder made current while it lives. The mission settings start
// afresh and find the game through the registry, as the program's do.
class GameSandbox {
public:
    GameSandbox();
    ~GameSandbox();
    std::string InstallFolder() const { return m_folder.Path(); }
    std::string WorkFolder() const { return m_work.Path(); }
    std::string ScriptsIni() const { return m_folder.File("Assets\\Scripts\\scripts.ini"); }
    std::string DataFile() const { return m_work.File("SkirmakerData.dat"); }
    void WriteScriptsIni(const std::string& bytes) const { WriteFileBytes(ScriptsIni(), bytes); }
    std::string ReadScriptsIni() const { return ReadFileBytes(ScriptsIni()); }

private:
    TempFolder m_folder;
    TempFolder m_work;
    std::string m_previousDirectory;
};

// The application's main window, as the program's application object sets it.
void SetMainWindow(CWnd* window);

// A setup dialog run modally on its own UI thread as the main window, opened
// and waited for on construction and cancelled if still open at the end.
class SetupDialogRun {
public:
    // Runs a dialog of its own, or `dialog` (which may have run before).
    explicit SetupDialogRun(CSkirmakerDlg* dialog = nullptr);
    ~SetupDialogRun();

    HWND Item(int id) const { return GetDlgItem(hWnd, id); }
    // Clicks a button and waits until the click is handled.
    void Click(int id);
    // Types into a control after selecting its whole text.
    void Type(int id, const std::string& text);
    // Ends the dialog with Esc and waits for the end.
    bool Cancel();
    // The control that has the keyboard focus on the dialog's thread.
    HWND Focus() const;

    std::unique_ptr<CSkirmakerDlg> owned;
    CSkirmakerDlg* dlg;
    INT_PTR result = 0;
    std::unique_ptr<UiThread> ui;
    HWND hWnd = nullptr;
};

}  // namespace skmtest
