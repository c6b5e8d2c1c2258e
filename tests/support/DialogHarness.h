#pragma once
// Test support for the Win32 shell: runs a modal dialog on a thread of its own
// so the test can drive it through real messages, records message boxes
// instead of showing them, and prepares the game's registry value and folders.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
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
// and answered with IDOK at once.
class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    std::vector<RecordedBox> Boxes() const;
    void Clear();

private:
    static int Record(HWND owner, const char* text, const char* caption, UINT type);
};

// Runs `run` (which typically calls DoModal) on a UI thread and lets the test
// wait until every message posted so far has been handled.
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
    bool Finished() const;

private:
    static LRESULT CALLBACK SyncProc(HWND, UINT, WPARAM, LPARAM);
    std::function<void()> m_run;
    HANDLE m_ready = nullptr;
    HANDLE m_synced = nullptr;
    HWND m_sync = nullptr;
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

// Waits until `condition` holds, checking every few milliseconds; false on time-out.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 10000);

// Types `text` into `target` key by key (letters, digits and punctuation
// found on the keyboard), waiting until each character has been handled.
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

// Writes `bytes` to `path`, creating missing folders.
void WriteFileBytes(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it is missing.
std::string ReadFileBytes(const std::string& path);
bool FileExists(const std::string& path);

// Sets (or, with nullptr, removes) the game's InstallPath value; `keyPresent`
// false removes the key itself.
void SetInstallPath(const char* value, bool keyPresent = true);

// A game install folder with Assets\Scripts\, registered in the registry and
// made the working folder while it lives.
class GameSandbox {
public:
    GameSandbox();
    ~GameSandbox();
    std::string InstallFolder() const { return m_folder.Path(); }
    std::string ScriptsIni() const { return m_folder.File("Assets\\Scripts\\scripts.ini"); }
    std::string DataFile() const { return m_work.File("SkirmakerData.dat"); }
    void WriteScriptsIni(const std::string& bytes) const { WriteFileBytes(ScriptsIni(), bytes); }
    std::string ReadScriptsIni() const { return ReadFileBytes(ScriptsIni()); }

private:
    TempFolder m_folder;
    TempFolder m_work;
    std::string m_previousDirectory;
};

}  // namespace skmtest
