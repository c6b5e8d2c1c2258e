// Under wine64: the setup dialog's start-up, from making the dialog object to
// the end of OnInitDialog (the dialog then shows), in a game folder whose
// DefaultLoadOut.txt and CustomLoadOut.txt hold 5,000 ships each, against the
// same start-up in a game folder without them; and, for both, when the game's
// ships, read once the dialog is on screen, are in the catalogue list and the
// ship fields checked against them.
// Rounds alternate between the two folders, so that both see the same machine
// load; the figures are medians.
#include "../catalogue/LoadoutTables.h"
#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "ui/SkirmakerDlg.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kRounds = 9;

struct TimingApp : CWinApp {
    BOOL InitInstance() override { return FALSE; }
} theTimingApp;

// The game's folder is whichever the round names; nothing is remembered.
class SandboxRecords : public gameconfig::InstallRecords {
public:
    std::string install;
    std::string ChosenFolder() const override { return {}; }
    files::ErrorCode RememberChosenFolder(const std::string&) override { return 0; }
    files::ErrorCode ReadInstallPath(std::string& stored) const override {
        stored = install;
        return 0;
    }
};

// A dialog that notes when it is initialised and when its catalogue list is
// complete, and ends then.
class TimedDialog : public CSkirmakerDlg {
public:
    LARGE_INTEGER ready{};
    LARGE_INTEGER complete{};
    int catalogueItems = 0;
    BOOL OnInitDialog() override {
        const BOOL result = CSkirmakerDlg::OnInitDialog();
        QueryPerformanceCounter(&ready);
        EndWhenComplete();
        return result;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const LRESULT result = CSkirmakerDlg::WindowProc(message, wParam, lParam);
        if (message == WM_TIMER) EndWhenComplete();
        return result;
    }

private:
    void EndWhenComplete() {
        if (!m_bGameShipsKnown) return;
        catalogueItems = m_comboCatalogue.GetCount();
        QueryPerformanceCounter(&complete);
        EndDialog(IDCANCEL);
    }
};

struct Startup {
    double ready = 0;     // seconds
    double complete = 0;  // seconds
    int catalogueItems = 0;
};

Startup TimeStartup(SandboxRecords& records, const std::string& install) {
    records.install = install;
    theMissionSettings = CMissionSettings();
    theMissionSettings.SetInstallRecords(&records);
    LARGE_INTEGER start, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    TimedDialog dialog;
    theTimingApp.m_pMainWnd = &dialog;
    dialog.DoModal();
    theTimingApp.m_pMainWnd = nullptr;
    auto since = [&](const LARGE_INTEGER& at) {
        return static_cast<double>(at.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    };
    return {since(dialog.ready), since(dialog.complete), dialog.catalogueItems};
}

std::string MakeGame(const fs::path& folder) {
    fs::create_directories(folder / "Assets" / "Scripts");
    std::ofstream(folder / "Assets" / "Scripts" / "scripts.ini", std::ios::binary)
        << "[Mul_Skirmaker]\r\nsetup=Timing\r\nship1=\"Kestrel\"\r\nship2=Kestrel\r\nship3=\"Raider 8\"\r\n"
           "TeamSettings=2\r\nPlayerShipSettings=8\r\n";
    return folder.string() + "\\";
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    AfxInitCommonControls();
    g_pfnMessageBox = [](HWND, const char* text, const char*, UINT) {
        std::fprintf(stderr, "message: %s\n", text);
        return IDOK;
    };
    const fs::path root = fs::temp_directory_path() / "skm-startup-timing";
    fs::remove_all(root);
    const std::string plain = MakeGame(root / "plain");
    const std::string withTables = MakeGame(root / "tables");
    WriteLoadoutTables(withTables);
    fs::create_directories(root / "work");
    fs::current_path(root / "work");  // where the data file is looked for

    SandboxRecords records;
    TimeStartup(records, withTables);  // the first start loads what every later one finds loaded
    std::vector<double> without, with, withoutComplete, withComplete;
    Startup plainStart, tablesStart;
    for (int round = 0; round < kRounds; ++round) {
        plainStart = TimeStartup(records, plain);
        tablesStart = TimeStartup(records, withTables);
        without.push_back(plainStart.ready);
        with.push_back(tablesStart.ready);
        withoutComplete.push_back(plainStart.complete);
        withComplete.push_back(tablesStart.complete);
    }
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);

    const double withMs = 1000 * Median(with), withoutMs = 1000 * Median(without);
    const double completeMs = 1000 * Median(withComplete), plainCompleteMs = 1000 * Median(withoutComplete);
    std::printf("Setup dialog start-up, new dialog to the end of OnInitDialog, median of %d rounds:\n", kRounds);
    std::printf("  without loadout tables (%5d catalogue items)   %8.2f ms\n", plainStart.catalogueItems, withoutMs);
    std::printf("  with two tables of %d ships (%5d items)     %8.2f ms\n", kShipsPerTable, tablesStart.catalogueItems,
                withMs);
    std::printf("  ratio %.2fx (target: at most 1.2x)\n", withMs / withoutMs);
    std::printf("Until the game's ships are read, in the list and the fields checked (the dialog on screen):\n");
    std::printf("  without loadout tables %8.2f ms, with them %8.2f ms, ratio %.2fx\n", plainCompleteMs, completeMs,
                completeMs / plainCompleteMs);
    return 0;
}
