// The real program in a sandbox (registry value, game folder, working folder),
// used from outside as a user would: one test for each road through it, each
// also on a file that once lost data (a linked, damaged or shared file).
#include "DialogHarness.h"

#include "files/FileIO.h"
#include "setups/SetupDataFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace skmtest;

namespace {

// The host's name of a file, and a host program run to its end (Wine starts host programs).
std::wstring HostPath(const fs::path& path) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path.wstring().c_str()) : nullptr;
    const std::wstring text = files::Widen(name ? name : "");
    HeapFree(GetProcessHeap(), 0, name);
    return L"\"" + text + L"\"";
}

void RunHost(std::wstring line) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return;
    WaitForSingleObject(process.hProcess, 20000);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
}

// The build's path is the host's; Wine sees the host's root as drive Z:.
const fs::path kProgramFile = "Z:" + fs::path(SKIRMAKER_EXE).make_preferred().string();

// A copy of the real program, started in a working folder.
class Program {
public:
    explicit Program(const fs::path& work, const fs::path& file = kProgramFile) {
        std::wstring line = L"\"" + file.wstring() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, work.wstring().c_str(), &startup,
                            &m_info))
            return;
        // Its dialog (there may be several copies, each with the same caption),
        // once shown and idle or asking something at start-up.
        WaitFor([this] {
            for (HWND hWnd = nullptr; (hWnd = FindWindowExA(nullptr, hWnd, "#32770", "Skirmaker v1.0 for Voidwake"));) {
                DWORD process = 0;
                GetWindowThreadProcessId(hWnd, &process);
                if (process == m_info.dwProcessId) dialog = hWnd;
            }
            return dialog && (IsWindowVisible(dialog) || OwnedBox());
        });
        if (!OwnedBox()) SendMessageA(dialog, WM_NULL, 0, 0);
    }
    ~Program() {
        if (!m_info.hProcess) return;
        if (!Exited(0)) TerminateProcess(m_info.hProcess, 1);
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
    DWORD Id() const { return m_info.dwProcessId; }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    // Sends a message to a control and waits until it is handled, as typing or
    // a click would; at most 20 seconds, as a message box may stop it.
    void Send(int id, UINT message, const char* text = nullptr) const {
        SendMessageTimeoutA(Item(id), message, 0, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 20000, nullptr);
    }
    // Presses a button that answers with a message box, presses the box's
    // button and gives the box's text: its longest static text.
    std::string ClickForBox(int id) const {
        PostMessageA(Item(id), BM_CLICK, 0, 0);
        return AnswerBox();
    }
    // A message box the program shows, owned by its dialog; nullptr when none is up.
    HWND OwnedBox() const {
        for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", nullptr));)
            if (dialog && GetWindow(box, GW_OWNER) == dialog && IsWindowVisible(box)) return box;
        return nullptr;
    }
    // Waits for a message box, presses `answer`, waits until the dialog is
    // idle again and gives the box's text: its longest static text.
    std::string AnswerBox(int answer = IDOK) const {
        HWND box = nullptr;
        WaitFor([&] { return (box = OwnedBox()) != nullptr; });
        std::string text;
        for (HWND child = nullptr; box && (child = FindWindowExA(box, child, "Static", nullptr));)
            if (const std::string candidate = WindowText(child); candidate.size() > text.size()) text = candidate;
        PostMessageA(box, WM_COMMAND, answer, 0);
        EXPECT_TRUE(WaitFor([&] { return !IsWindow(box) && (Exited(0) || IsWindowVisible(dialog)); }));
        if (!Exited(0)) SendMessageA(dialog, WM_NULL, 0, 0);
        return text;
    }
    // Saves the form under `title` with "Save".
    void SaveAs(const char* title) const {
        Send(IDC_SETUPS, WM_SETTEXT, title);
        Send(IDC_SAVE, BM_CLICK);
    }
    bool Exited(DWORD timeoutMs = 20000) const { return WaitForSingleObject(m_info.hProcess, timeoutMs) == WAIT_OBJECT_0; }

    HWND dialog = nullptr;

private:
    PROCESS_INFORMATION m_info{};
};

class EndToEndTest : public ::testing::Test {
protected:
    // The titles that the data file holds, and its sibling files' names.
    std::string Saved(const fs::path& work) const {
        CSetupStore store;
        CSetupDataFile(Utf8(work / CSetupDataFile::kFileName)).Load(store);
        std::string titles;
        for (const auto& [title, record] : store.GetEntries()) titles.append(title.View()) += " ";
        for (const auto& entry : fs::directory_iterator(work))
            if (entry.path().filename() != CSetupDataFile::kFileName)
                titles.append("+").append(Utf8(entry.path().filename())).append(" ");
        return titles;
    }

    GameSandbox m_game;
};

// A linked scripts.ini (as mod managers make them) stays a link, else its
// target would not get the setup (ships of disabled places too) and keep all
// else; once its target is gone, Select says so and leaves the link alone. Its
// target, the working folder and the program hold names no ANSI code page can.
TEST_F(EndToEndTest, SelectWritesThroughALinkedScriptsIniAndLeavesTheRestOfItAlone) {
    const fs::path target = m_game.root / L"Моды" / "scripts.ini", work = m_game.root / L"作業フォルダ";
    for (const fs::path& folder : {target.parent_path(), work}) fs::create_directories(folder);
    fs::copy_file(kProgramFile, work / L"Скирмейкер.exe", fs::copy_options::overwrite_existing);
    const std::string rest = "\r\n[Sp_Campaign]\r\nlevel = 3\r\n";
    WriteFileBytes(target, "; game scripts\r\n[Mul_Arena]\r\nmap=Nebula\r\n\r\n[Mul_Skirmaker]\r\nsetup=Old\r\n"
                           "ship1=Old1\r\nTeamSettings=1\r\nPlayerShipSettings=4\r\n" + rest);
    // With the host's own ln, as mod managers and Linux setups make them.
    RunHost(L"Z:\\bin\\ln -s " + HostPath(target) + L" " + HostPath(m_game.scriptsIni));
    // Wine may report the host program ended before it has.
    ASSERT_TRUE(WaitFor([&] { return ReadFileBytes(m_game.scriptsIni) == ReadFileBytes(target); }));
    Program program(work, work / L"Скирмейкер.exe");
    EXPECT_EQ(WindowText(program.Item(IDC_SETUP_TITLE)), "Old");
    program.Send(IDC_SHIP2, WM_SETTEXT, "\"Kestrel\"");
    program.Send(IDC_SHIP10, WM_SETTEXT, "Dart");  // P2, disabled while players select their ships
    program.Send(IDC_PLAYER_VS_AI, BM_CLICK);
    PostMessageA(program.Item(IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor([] { return FindWindowW(L"#32770", L"Скирмейкер") != nullptr; }));  // the program's name
    EXPECT_EQ(program.AnswerBox(), "Game Setup Saved For Voidwake Game Play!");
    ASSERT_TRUE(program.Exited());
    EXPECT_EQ(ReadFileBytes(target),
              "; game scripts\r\n[Mul_Arena]\r\nmap=Nebula\r\n\r\n"
              "[Mul_Skirmaker]\r\nsetup=Old\r\nship1=Old1\r\nTeamSettings=2\r\nPlayerShipSettings=4\r\n"
              "ship2=\"Kestrel\"\r\nship3=\r\nship4=\r\nship5=\r\nship6=\r\nship7=\r\nship8=\r\nship9=\r\n"
              "ship10=Dart\r\nship11=\r\nship12=\r\nship13=\r\nship14=\r\n" + rest);
    fs::remove(target);
    Program again(work, work / L"Скирмейкер.exe");
    again.Send(IDC_PLAYER_VS_AI, BM_CLICK);
    again.Send(IDC_PLAYER_SELECT_SHIPS, BM_CLICK);
    EXPECT_NE(again.ClickForBox(IDOK).find("code " + std::to_string(files::kErrorDanglingLink)), std::string::npos);
    WriteFileBytes(target, rest);
    EXPECT_EQ(ReadFileBytes(m_game.scriptsIni), rest);
    RunHost(L"Z:\\bin\\rm " + HostPath(m_game.scriptsIni));
    EXPECT_EQ(Saved(work), "+Скирмейкер.exe ");
}

// Neither file can be written: each failure says why, Close waits and Esc asks
// for the setups, and a damaged data file keeps its name with no copy left.
TEST_F(EndToEndTest, FailedWritesSayWhyAndEscThenWritesNothing) {
    const std::string ini = "[Mul_Skirmaker]\r\nsetup=Applied\r\n", damaged("\x05\x00", 2);
    WriteFileBytes(m_game.scriptsIni, ini);
    WriteFileBytes(m_game.dataFile, damaged);
    for (const fs::path& path : {m_game.scriptsIni, m_game.dataFile})
        SetFileAttributesA(path.string().c_str(), FILE_ATTRIBUTE_READONLY);
    Program program(m_game.work);
    EXPECT_NE(program.AnswerBox().find("damaged"), std::string::npos);
    program.Send(IDC_PLAYER_VS_PLAYER, BM_CLICK);
    program.Send(IDC_HOST_SELECT_SHIPS, BM_CLICK);
    EXPECT_EQ(program.ClickForBox(IDOK), "Error saving to sripts.ini; code 5.");
    EXPECT_FALSE(program.Exited(500));
    program.Send(IDC_SHIP1, WM_SETTEXT, "Dart");
    program.Send(IDC_SETUPS, WM_SETTEXT, "new");
    // The system's own words for the code, not the C library's for the same number.
    EXPECT_NE(program.ClickForBox(IDC_SAVE).find(" denied, code 5."), std::string::npos);
    char ship1[8] = {};  // another process's edit is read by asking it
    SendMessageA(program.Item(IDC_SHIP1), WM_GETTEXT, sizeof ship1, reinterpret_cast<LPARAM>(ship1));
    EXPECT_STREQ(ship1, "Dart");  // the form stays for another try
    EXPECT_NE(program.ClickForBox(IDC_CLOSE_BUTTON).find("\"SkirmakerData.dat\""), std::string::npos);
    EXPECT_FALSE(program.Exited(500));
    PostKey(program.Item(IDC_SHIP1), VK_ESCAPE);
    EXPECT_NE(program.AnswerBox(IDYES).find("setups are not saved"), std::string::npos);
    ASSERT_TRUE(program.Exited());
    for (const fs::path& path : {m_game.scriptsIni, m_game.dataFile}) {
        EXPECT_EQ(GetFileAttributesA(path.string().c_str()) & FILE_ATTRIBUTE_READONLY,
                  static_cast<DWORD>(FILE_ATTRIBUTE_READONLY));
        SetFileAttributesA(path.string().c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(ReadFileBytes(m_game.scriptsIni), ini);
    EXPECT_EQ(ReadFileBytes(m_game.dataFile), damaged);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_game.work), fs::directory_iterator()), 1);
}

// Save then Close, by two copies started on a damaged file in one working
// folder, whichever closes last: no setup either saved is lost, and the damaged
// file is kept aside once.
TEST_F(EndToEndTest, TwoCopiesOnADamagedFileKeepEachOthersSetups) {
    for (const bool firstClosesFirst : {true, false}) {
        for (const auto& entry : fs::directory_iterator(m_game.work)) fs::remove(entry.path());
        WriteFileBytes(m_game.dataFile, std::string("\x02\x00\x01" "a", 4));
        Program first(m_game.work), second(m_game.work);
        for (const Program* program : {&first, &second})
            EXPECT_NE(program->AnswerBox().find("damaged"), std::string::npos);
        // While a third copy holds the lock, the first's Save waits, painting and answering.
        auto third = std::make_unique<files::ExclusiveLock>(Utf8(m_game.dataFile) + ".lock");
        first.Send(IDC_SETUPS, WM_SETTEXT, "fromFirst");
        PostMessageA(first.Item(IDC_SAVE), BM_CLICK, 0, 0);
        for (int round = 0; round < 3; ++round, Sleep(100)) {  // the first may come before the wait
            InvalidateRect(first.dialog, nullptr, TRUE);
            EXPECT_NE(SendMessageTimeoutA(first.dialog, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr), 0) << round;
            for (const DWORD start = GetTickCount(); GetUpdateRect(first.dialog, nullptr, FALSE); Sleep(5))
                ASSERT_LT(GetTickCount() - start, 1000u) << "not repainted within a second";
        }
        third.reset();
        second.SaveAs("fromSecond");
        for (const Program* program : firstClosesFirst ? std::vector{&first, &second} : std::vector{&second, &first}) {
            PostMessageA(program->Item(IDC_CLOSE_BUTTON), BM_CLICK, 0, 0);
            EXPECT_TRUE(program->Exited());
        }
        EXPECT_EQ(Saved(m_game.work), "fromFirst fromSecond +SkirmakerData.dat.bad ");
        EXPECT_FALSE(fs::exists(m_game.scriptsIni));  // the game's file is not for these commands
    }
}

}  // namespace
