#include "DialogHarness.h"

#include "app/GameRegistry.h"
#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"

#include <algorithm>
#include <fstream>
#include <mutex>
#include <sstream>

namespace skmtest {
namespace {

std::mutex g_boxMutex;
std::vector<RecordedBox> g_boxes;
MessageBoxFunction g_previousBox = nullptr;

struct : CWinApp {
    BOOL InitInstance() override { return FALSE; }
} theTestApp;

CGameRegistry theRegistry;

const char kGameKey[] = "Software\\Corvanta\\Voidwake";
// The game's 32-bit installer writes the 32-bit view of the registry.
constexpr REGSAM kInstallerView = KEY_WOW64_32KEY;

int Record(HWND owner, const char* text, const char* caption, UINT type) {
    std::lock_guard<std::mutex> lock(g_boxMutex);
    g_boxes.push_back({owner, text ? text : "", caption ? caption : "", type});
    return MessageBoxRecorder::answer;
}

void RemoveTree(const std::string& path) {
    for (const std::string& name : FolderNames(path)) {
        const std::string child = path + "\\" + name;
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!DeleteFileA(child.c_str())) RemoveTree(child);
    }
    RemoveDirectoryA(path.c_str());
}

void CreateFolders(const std::string& path) {
    for (std::size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        CreateDirectoryA(path.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace

MessageBoxRecorder::MessageBoxRecorder() {
    Clear();
    answer = IDOK;
    g_previousBox = g_pfnMessageBox;
    g_pfnMessageBox = &Record;
}

MessageBoxRecorder::~MessageBoxRecorder() { g_pfnMessageBox = g_previousBox; }

std::vector<RecordedBox> MessageBoxRecorder::Boxes() const {
    std::lock_guard<std::mutex> lock(g_boxMutex);
    return g_boxes;
}

void MessageBoxRecorder::Clear() {
    std::lock_guard<std::mutex> lock(g_boxMutex);
    g_boxes.clear();
}

UiThread::UiThread(std::function<void()> run) {
    m_ready = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_synced = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    m_thread = std::thread([this, run = std::move(run)] {
        WNDCLASSA cls{};
        cls.lpfnWndProc = &SyncProc;
        cls.hInstance = GetModuleHandleA(nullptr);
        cls.lpszClassName = "SkirmakerTestSync";
        RegisterClassA(&cls);
        m_sync = CreateWindowA("SkirmakerTestSync", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, cls.hInstance, nullptr);
        SetEvent(m_ready);
        run();
        DestroyWindow(m_sync);
        m_done = true;
    });
    WaitForSingleObject(m_ready, 10000);
}

UiThread::~UiThread() {
    if (m_thread.joinable()) m_thread.join();
    CloseHandle(m_ready);
    CloseHandle(m_synced);
}

LRESULT CALLBACK UiThread::SyncProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        SetEvent(reinterpret_cast<HANDLE>(lParam));
        return 0;
    }
    if (message == WM_APP + 1) {
        const std::unique_ptr<std::function<void()>> call(reinterpret_cast<std::function<void()>*>(lParam));
        (*call)();
        return 0;
    }
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

void UiThread::Flush() {
    // Twice: characters that the first round's key-downs produced are posted
    // behind the first marker.
    for (int round = 0; round < 2; ++round) {
        if (!PostMessageA(m_sync, WM_APP, 0, reinterpret_cast<LPARAM>(m_synced))) return;
        WaitForSingleObject(m_synced, 10000);
    }
}

void UiThread::Post(std::function<void()> call) {
    auto* posted = new std::function<void()>(std::move(call));
    if (!PostMessageA(m_sync, WM_APP + 1, 0, reinterpret_cast<LPARAM>(posted))) delete posted;
}

bool UiThread::Join(DWORD timeoutMs) {
    if (!WaitFor([this] { return Finished(); }, timeoutMs)) return false;
    if (m_thread.joinable()) m_thread.join();
    return true;
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(5);
    }
    return true;
}

HWND WaitForDialog(const char* caption) {
    HWND found = nullptr;
    WaitFor([&] { return (found = FindWindowA("#32770", caption)) && IsWindowVisible(found); });
    return found;
}

void PostKey(HWND target, WORD vk) {
    const UINT scan = MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    PostMessageA(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageA(target, WM_KEYUP, vk, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

void TypeText(UiThread& ui, HWND target, const std::string& text) {
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
            // The message loop's translation turns the key into the character.
            PostKey(target, LOBYTE(scan));
        }
        ui.Flush();
    }
}

std::string WindowText(HWND hWnd) {
    const int length = GetWindowTextLengthA(hWnd);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(hWnd, text.data(), length + 1)));
    return text;
}

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::ostringstream name;
    name << base << "skmtest-" << GetCurrentProcessId() << "-" << GetTickCount() << "-" << counter++;
    m_path = name.str();
    CreateFolders(m_path);
}

TempFolder::~TempFolder() { RemoveTree(m_path); }

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    CreateFolders(path.substr(0, path.find_last_of('\\')));
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..") names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::ranges::sort(names);
    return names;
}

void SetInstallPath(const char* value, bool keyPresent) {
    if (!keyPresent) {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, kInstallerView, 0);
        return;
    }
    HKEY key;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_ALL_ACCESS | kInstallerView, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    if (value)
        RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(value),
                       static_cast<DWORD>(strlen(value) + 1));
    else
        RegDeleteValueA(key, "InstallPath");
    RegCloseKey(key);
}

GameSandbox::GameSandbox() {
    CreateFolders(m_folder.File("Assets\\Scripts"));
    SetInstallPath(m_folder.Path().c_str());
    theMissionSettings = CMissionSettings();
    theMissionSettings.SetInstallRecords(&theRegistry);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    m_previousDirectory = previous;
    SetCurrentDirectoryA(m_work.Path().c_str());
}

GameSandbox::~GameSandbox() {
    SetCurrentDirectoryA(m_previousDirectory.c_str());
    SetInstallPath(nullptr, false);
}

void SetMainWindow(CWnd* window) { theTestApp.m_pMainWnd = window; }

SetupDialogRun::SetupDialogRun(CSkirmakerDlg* dialog)
    : owned(dialog ? nullptr : std::make_unique<CSkirmakerDlg>()), dlg(dialog ? dialog : owned.get()) {
    SetMainWindow(dlg);
    ui = std::make_unique<UiThread>([this] { result = dlg->DoModal(); });
    hWnd = WaitForDialog("Skirmaker v1.0 for Voidwake");
    ui->Flush();
}

SetupDialogRun::~SetupDialogRun() {
    if (!ui->Finished() && IsWindow(hWnd)) PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    ui->Join();
    SetMainWindow(nullptr);
}

void SetupDialogRun::Click(int id) {
    SendMessageA(Item(id), BM_CLICK, 0, 0);
    ui->Flush();
}

void SetupDialogRun::Type(int id, const std::string& text) {
    SendMessageA(Item(id), EM_SETSEL, 0, -1);
    TypeText(*ui, Item(id), text);
}

bool SetupDialogRun::Cancel() {
    PostKey(Item(IDC_SHIP1), VK_ESCAPE);
    return ui->Join();
}

HWND SetupDialogRun::Focus() const {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(hWnd, nullptr), &info);
    return info.hwndFocus;
}

}  // namespace skmtest
