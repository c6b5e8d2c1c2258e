// Under wine64: the start-up of the real Skirmaker.exe, from process creation
// until its dialog is visible, against the floor, bench_startup_floor.exe (the
// same dialog template and manifest shown by a bare DialogBoxParam). The two
// start in turn, so that both see the same machine. The game folder holds the
// two loadout tables of 5,000 ships each; the working folder's data file holds
// 0, 1,000, 10,000 or 100,000 generated setups. Each program is ended with
// Esc, which writes nothing. Of the program it also notes when the game's
// ships are in the catalogue list and the ship fields checked, the work done
// once the dialog shows, and how long it takes to end after Esc. With 100,000 setups it then times choosing a line,
// "Save" under a new title and "Delete" of a stored title, each sent from
// outside and waited for until handled.
#include "../catalogue/LoadoutTables.h"
#include "../setups/GeneratedSetups.h"
#include "catalogue/KnownShips.h"
#include "files/FileIO.h"
#include "resource.h"
#include "setups/SetupDataFile.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr wchar_t kCaption[] = L"Skirmaker v1.0 for Voidwake";
constexpr double kTimeoutMs = 300000;  // generous, so that far slower builds are measured too
constexpr int kCommandRounds = 9;

double NowMs() {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// A program started in the folder `work`, from its creation until its dialog is visible.
class Started {
public:
    Started(const char* exe, const fs::path& work) {
        // The build's path is the host's; Wine sees the host's root as drive Z:.
        std::wstring line = L"\"Z:" + fs::path(exe).make_preferred().wstring() + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        m_start = NowMs();
        if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, work.wstring().c_str(), &startup,
                            &m_info))
            throw std::runtime_error("cannot start " + std::string(exe));
        while (!(m_dialog = VisibleDialog())) {
            if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_OBJECT_0) throw std::runtime_error("ended early");
            CheckTime("showing its dialog");
            Sleep(1);
        }
        visibleMs = NowMs() - m_start;
    }
    ~Started() {
        if (WaitForSingleObject(m_info.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(m_info.hProcess, 1);
        CloseHandle(m_info.hProcess);
        CloseHandle(m_info.hThread);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    // Sends a message to a control of the dialog and waits until it is handled.
    LRESULT Send(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutW(id ? GetDlgItem(m_dialog, id) : m_dialog, message, wParam, lParam, SMTO_NORMAL, 60000,
                                 &answer))
            throw std::runtime_error("a message was not handled (a message box?)");
        return static_cast<LRESULT>(answer);
    }
    // The dialog's command from control `id`, sent as the control sends it; its time in ms.
    double Command(int id, WORD code) const {
        const double start = NowMs();
        Send(0, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(GetDlgItem(m_dialog, id)));
        return NowMs() - start;
    }
    // Milliseconds from the start until the catalogue list holds `lines` lines.
    double WaitUntilListed(LRESULT lines) const {
        while (Send(IDC_CATALOGUE, CB_GETCOUNT) < lines) {
            CheckTime("listing the game's ships");
            Sleep(1);
        }
        return NowMs() - m_start;
    }
    // Ends the program with Esc and waits for its end; answers the milliseconds that took.
    double End() const {
        const double start = NowMs();
        PostMessageW(m_dialog, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(m_dialog, WM_KEYUP, VK_ESCAPE, 1 | (3u << 30));
        if (WaitForSingleObject(m_info.hProcess, static_cast<DWORD>(kTimeoutMs)) != WAIT_OBJECT_0)
            throw std::runtime_error("Esc did not end it");
        return NowMs() - start;
    }

    double visibleMs = 0;

private:
    HWND VisibleDialog() const {
        for (HWND hWnd = nullptr; (hWnd = FindWindowExW(nullptr, hWnd, L"#32770", kCaption));) {
            DWORD process = 0;
            GetWindowThreadProcessId(hWnd, &process);
            if (process == m_info.dwProcessId && IsWindowVisible(hWnd)) return hWnd;
        }
        return nullptr;
    }
    void CheckTime(const char* what) const {
        if (NowMs() - m_start > kTimeoutMs) throw std::runtime_error(std::string("timed out ") + what);
    }

    PROCESS_INFORMATION m_info{};
    HWND m_dialog = nullptr;
    double m_start = 0;
};

// A game with both loadout tables, registered where its installer writes it
// (this Wine prefix is the benchmark's own), and working folders with data files.
class Sandbox {
public:
    Sandbox() {
        fs::remove_all(m_root);
        fs::create_directories(m_install / "Assets" / "Scripts");
        files::ReplaceWholeFile((m_install / "Assets" / "Scripts" / "scripts.ini").string(),
                                "[Mul_Skirmaker]\r\nsetup=Friday Night\r\nship1=\"Kestrel\"\r\nship2=Kestrel\r\n"
                                "ship3=\"Raider 8\"\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n");
        const std::string install = m_install.string() + "\\";
        WriteLoadoutTables(install);
        catalogueLines = static_cast<LRESULT>(catalogue::KnownShips(catalogue::ReadGameLoadouts(install)).Size());
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key,
                        nullptr);
        RegSetValueExA(key, "InstallPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(install.c_str()),
                       static_cast<DWORD>(install.size() + 1));
        RegCloseKey(key);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Halvane\\Skirmaker");  // no folder chosen earlier
    }
    ~Sandbox() {
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, KEY_WOW64_32KEY, 0);
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    // A working folder whose data file holds `setups` generated setups.
    fs::path Work(int setups) const {
        const fs::path work = m_root / ("work-" + std::to_string(setups));
        fs::create_directories(work);
        CSetupStore store = bench::MakeStore(setups);
        files::ReplaceWholeFile((work / CSetupDataFile::kFileName).string(), CSetupDataFile::Encode(store));
        return work;
    }

    LRESULT catalogueLines = 0;

private:
    static constexpr char kGameKey[] = "Software\\Corvanta\\Voidwake";
    const fs::path m_root = fs::temp_directory_path() / "skm-startup-bench";
    const fs::path m_install = m_root / "game";
};

// Choosing a line, "Save" under a new title, "Delete" of a stored title, each
// kCommandRounds times in the program started in `work`; prints the medians.
void TimeCommands(const fs::path& work, LRESULT catalogueLines) {
    Started program(SKIRMAKER_EXE, work);
    program.WaitUntilListed(catalogueLines);
    const LRESULT lines = program.Send(IDC_SETUPS, CB_GETCOUNT);
    std::vector<double> choose, save, remove;
    for (int round = 0; round < kCommandRounds; ++round) {
        const double start = NowMs();
        program.Send(IDC_SETUPS, CB_SETCURSEL, lines * (2 * round + 1) / (2 * kCommandRounds));
        program.Command(IDC_SETUPS, CBN_SELCHANGE);
        choose.push_back(NowMs() - start);

        const std::wstring title = L"Benchmark save " + std::to_wstring(round);
        program.Send(IDC_SETUPS, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
        save.push_back(program.Command(IDC_SAVE, BN_CLICKED));

        wchar_t stored[256] = {};
        program.Send(IDC_SETUPS, CB_GETLBTEXT, lines * round / kCommandRounds, reinterpret_cast<LPARAM>(stored));
        program.Send(IDC_SETUPS, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(stored));
        remove.push_back(program.Command(IDC_DELETE, BN_CLICKED));
    }
    program.End();
    std::printf("With %ld setups, from outside, median of %d (target: under 50 ms each):\n", static_cast<long>(lines),
                kCommandRounds);
    std::printf("  choosing a line %8.1f ms, Save (a new title) %8.1f ms, Delete (a stored title) %8.1f ms\n",
                Median(choose), Median(save), Median(remove));
}

}  // namespace

int main() {
    try {
        Sandbox sandbox;
        const fs::path empty = sandbox.Work(0);
        Started(FLOOR_EXE, empty).End();  // the first starts load what every later one finds loaded
        Started(SKIRMAKER_EXE, empty).End();
        std::printf("Start-up under wine64 until the dialog is visible, with two loadout tables of %d ships "
                    "(%ld catalogue lines), against the floor (a bare DialogBoxParam of the same dialog); medians:\n",
                    kShipsPerTable, static_cast<long>(sandbox.catalogueLines));
        std::printf("%14s %6s %10s %10s %7s %14s %16s %11s\n", "saved setups", "starts", "floor ms", "program ms",
                    "ratio", "extra/1,000 ms", "ships listed ms", "closing ms");
        double emptyExtra = 0;
        for (const int setups : {0, 1000, 10000, 100000}) {
            const fs::path work = setups ? sandbox.Work(setups) : empty;
            const int rounds = setups >= 10000 ? 9 : 15;
            std::vector<double> floor, program, listed, closing;
            for (int round = 0; round < rounds; ++round) {
                const Started bare(FLOOR_EXE, work);
                floor.push_back(bare.visibleMs);
                bare.End();
                const Started started(SKIRMAKER_EXE, work);
                program.push_back(started.visibleMs);
                listed.push_back(started.WaitUntilListed(sandbox.catalogueLines));
                closing.push_back(started.End());
            }
            const double floorMs = Median(floor), programMs = Median(program);
            if (!setups) emptyExtra = programMs - floorMs;
            std::printf("%14d %6d %10.1f %10.1f %6.2fx", setups, rounds, floorMs, programMs, programMs / floorMs);
            if (setups)
                std::printf(" %14.2f", (programMs - floorMs - emptyExtra) * 1000 / setups);
            else
                std::printf(" %14s", "");
            std::printf(" %16.1f %11.1f\n", Median(listed), Median(closing));
            std::fflush(stdout);
        }
        std::printf("Targets: no setups at most 1.2x, 10,000 at most 2x, 100,000 at most 10x the floor.\n");
        TimeCommands(sandbox.Work(100000), sandbox.catalogueLines);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "bench_startup: %s\n", error.what());
        return 1;
    }
    return 0;
}
