#include "ui/InstallationCheckDlg.h"

#include "catalogue/KnownShips.h"
#include "catalogue/ShipFieldCheck.h"
#include "files/Folder.h"
#include "files/WideText.h"
#include "gameconfig/Installation.h"
#include "gameconfig/MissionSettings.h"
#include "gameconfig/ProfileFile.h"
#include "resource.h"
#include "ui/AboutDlg.h"
#include "ui/SkirmakerDlg.h"

#include <shlobj.h>

#include <algorithm>
#include <cstdint>

namespace {

constexpr MessageEntry kMessageMap[] = {
    ON_BN_CLICKED(IDC_SET_ASIDE, CInstallationCheckDlg, OnSetAside),
    ON_BN_CLICKED(IDC_OPEN_RECORD, CInstallationCheckDlg, OnOpenRecord),
};

enum class State { Fine, Problem, Note, NotChecked };

// The list: each check's name and state, then what was found and its fix, indented.
class Report {
public:
    void Add(const std::string& check, State state, const std::string& found, const std::string& fix = {}) {
        static constexpr const char* kStates[] = {"OK", "PROBLEM", "NOTE", "NOT CHECKED"};
        m_text += check + ": " + kStates[static_cast<int>(state)] + "\r\n" + Indented(found);
        if (!fix.empty()) m_text += Indented("Fix: " + fix);
        m_text += "\r\n";
    }
    const std::string& Text() const { return m_text; }

private:
    static std::string Indented(const std::string& text) {
        std::string indented = "    ";
        for (char c : text) indented += c == '\n' ? std::string("\r\n    ") : std::string(1, c);
        return indented + "\r\n";
    }
    std::string m_text;
};

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

bool IsMissing(files::ErrorCode error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

std::string FullPath(const std::string& path) {
    wchar_t full[MAX_PATH * 4];
    const DWORD length = GetFullPathNameW(files::Widen(path).c_str(), MAX_PATH * 4, full, nullptr);
    return length > 0 && length < MAX_PATH * 4 ? files::Narrow(full) : path;
}

// A file time as the user reads dates and times.
std::string LocalDateTime(files::FileTime time) {
    const FILETIME file{static_cast<DWORD>(time), static_cast<DWORD>(static_cast<std::uint64_t>(time) >> 32)};
    SYSTEMTIME utc, local;
    wchar_t date[128] = {}, clock[64] = {};
    if (!FileTimeToSystemTime(&file, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return "?";
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_LONGDATE, &local, nullptr, date, 128);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, clock, 64);
    return files::Narrow(date) + " " + files::Narrow(clock);
}

// Whether Windows shows this program the VirtualStore copies of the files it writes.
bool IsVirtualized() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    DWORD enabled = 0, size = 0;
    const bool known = GetTokenInformation(token, TokenVirtualizationEnabled, &enabled, sizeof enabled, &size);
    CloseHandle(token);
    return known && enabled != 0;
}

const char kChooseFolder[] = "Choose the game's folder with \"Game folder\" on the system menu.";

// The game's folder in use and where it came from; empty when none is known.
std::string CheckGameFolder(Report& report) {
    std::string install;
    bool chosen = false;
    if (!theMissionSettings.GetInstallPath(install, &chosen)) {
        report.Add("Game folder", State::Problem,
                   "Not found: the game's registry value InstallPath cannot be read (" +
                       files::DescribeError(theMissionSettings.GetLastError()) + ").",
                   kChooseFolder);
        return {};
    }
    const std::string found =
        Quoted(install) + (chosen ? ", the folder you chose" : ", as the game's installer recorded it in the registry");
    if (gameconfig::HoldsScriptsFolder(install))
        report.Add("Game folder", State::Fine, found + ".");
    else
        report.Add("Game folder", State::Problem, found + ", holds no Assets\\Scripts folder.", kChooseFolder);
    return install;
}

void CheckSettingsFile(Report& report, const std::string& ini) {
    const bool present = files::Exists(ini);
    gameconfig::ProfileFile file;
    if (const files::ErrorCode error = gameconfig::ReadProfileFile(ini, file)) {
        report.Add("scripts.ini", State::Problem, Quoted(ini) + " cannot be read: " + files::DescribeError(error) + ".",
                   error == gameconfig::kErrorUnsupportedFile
                       ? "Open it in Notepad and save it again with the encoding ANSI."
                       : "Close the programs that may hold it, and make sure you may read it.");
    } else if (const files::ErrorCode error = files::CheckReplaceable(ini)) {
        report.Add("scripts.ini", State::Problem,
                   Quoted(ini) + (present ? " can be read but not replaced" : " is not there and cannot be made") +
                       ", so \"Select\" fails: " + files::DescribeError(error) + ".",
                   IsMissing(error) ? kChooseFolder
                                    : "Close the game and the programs that may hold the file; make sure it is not "
                                      "read-only and that you may write in its folder.");
    } else {
        report.Add("scripts.ini", State::Fine,
                   Quoted(ini) + (present ? " can be read and replaced." : " is not there yet; \"Select\" makes it."));
    }
}

std::string Made(const std::vector<std::string>& lists) { return lists.size() > 1 ? " were made " : " was made "; }

// The mission's script and the age of the game's mission list; answers the stale lists.
std::vector<std::string> CheckScriptsFolder(Report& report, const std::string& scripts) {
    const std::string folder = Quoted(scripts.substr(0, scripts.size() - 1));
    const std::string script = gameconfig::kMissionScriptName;
    std::vector<files::FolderEntry> entries;
    if (const files::ErrorCode error = files::ListFolder(scripts, entries)) {
        const std::string why = "The folder " + folder + " cannot be read: " + files::DescribeError(error) + ".";
        report.Add("Mission script", State::NotChecked, why);
        report.Add("Mission list", State::NotChecked, why);
        return {};
    }
    gameconfig::MissionInstall install = gameconfig::ExamineScriptsFolder(entries);
    if (!install.hasScript) {
        report.Add("Mission script", State::Problem,
                   script + " is not in " + folder + ", so the game does not offer the Skirmaker mission.",
                   "Copy " + script + ", the mission's script, into that folder.");
        report.Add("Mission list", State::NotChecked, "Its age is told from " + script + ", which is missing.");
        return {};
    }
    report.Add("Mission script", State::Fine, script + " is in " + folder + ".");
    if (install.lists.empty()) {
        report.Add("Mission list", State::Fine,
                   "The game has no mission list (AllScripts) yet: it makes one, with the mission, at its next start.");
    } else if (install.staleLists.empty()) {
        report.Add("Mission list", State::Fine,
                   QuotedNames(install.lists) + Made(install.lists) + "after " + script + " arrived.");
    } else {
        report.Add("Mission list", State::Problem,
                   QuotedNames(install.staleLists) + Made(install.staleLists) + "before " + script +
                       " arrived, so the game does not list the mission.",
                   "Press \"Set the old mission list aside\": it is renamed, not deleted, and the game makes a new "
                   "list at its next start.");
    }
    return std::move(install.staleLists);
}

void CheckVirtualStore(Report& report, const std::string& ini) {
    wchar_t local[MAX_PATH] = {};
    const bool known = SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local));
    const std::string copy = known ? gameconfig::VirtualStoreCopy(files::Narrow(local), ini) : std::string();
    files::FolderEntry entry;
    const files::ErrorCode error = copy.empty() ? ERROR_PATH_NOT_FOUND : files::ReadEntry(copy, entry);
    if (IsMissing(error)) {
        report.Add("Copy in VirtualStore", State::Fine,
                   "Windows keeps no copy of scripts.ini for older programs: the game and this program see the same "
                   "file.");
        return;
    }
    if (error != 0) {
        report.Add("Copy in VirtualStore", State::NotChecked, Quoted(copy) + ": " + files::DescribeError(error) + ".");
        return;
    }
    const std::string found = "A copy of scripts.ini is in your VirtualStore folder: " + Quoted(copy) +
                              ".\nWindows shows it, instead of " + Quoted(ini) +
                              ", to older programs run without administrator rights, so the game, started that way, "
                              "likely reads the copy.";
    if (IsVirtualized())
        report.Add("Copy in VirtualStore", State::Note, found + " This program reads and writes the copy too.",
                   "Start the game without administrator rights, as this program is, or it reads the other file.");
    else
        report.Add("Copy in VirtualStore", State::Problem,
                   found + " This program reads and writes " + Quoted(ini) +
                       ", so the game may not see what \"Select\" writes.",
                   "Start the game and this program the same way: both as administrator, or both without.");
}

// The copies of the damaged data files at `path` kept aside beside it, as "SkirmakerData.dat.bad", ".bad2"...
std::vector<std::string> KeptAside(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/") + 1;
    std::vector<files::FolderEntry> entries;
    files::ListFolder(path.substr(0, slash), entries);
    std::vector<std::string> kept;
    const std::string bad = catalogue::ToLowerAscii(path.substr(slash) + ".bad");
    for (const files::FolderEntry& entry : entries)
        if (catalogue::ToLowerAscii(entry.name).starts_with(bad)) kept.push_back(entry.name);
    return kept;
}

void CheckDataFile(Report& report, const CSkirmakerDlg& setup) {
    const std::string& path = setup.m_dataFile.Path();
    const std::string full = FullPath(path);
    std::string found = Quoted(full) + (path == CSetupDataFile::kFileName
                                            ? ", in the folder the program was started from"
                                            : ", beside the program, as the folder it was started from holds none");
    std::size_t count = 0;
    for (const auto& [title, record] : setup.m_mapSetups.GetEntries()) count += record ? 1 : 0;
    State state = State::Fine;
    if (!setup.m_bStarted) {
        state = State::NotChecked;
        found += ": not read in this run, as the game's folder was not known at start.";
    } else if (!files::Exists(full)) {
        state = State::Note;
        found += ": not made yet; the first \"Save\" makes it.";
    } else {
        found += ": " + std::to_string(count) + " saved setups.";
    }
    if (const std::vector<std::string> kept = KeptAside(full); !kept.empty())
        found += "\nKept aside beside it, as they could not be read whole: " + QuotedNames(kept) +
                 ". They hold setups the program did not load.";
    report.Add("Saved setups", state, found);
}

// What the list says of a loadout table, kept while its ships go to the known ships.
struct TableRead {
    explicit TableRead(const catalogue::LoadoutTable& table)
        : status(table.status), error(table.error), headerFound(table.headerFound), ships(table.ships.size()) {}
    catalogue::LoadoutStatus status;
    files::ErrorCode error;
    bool headerFound;
    std::size_t ships;
};

void AddLoadoutTable(Report& report, const std::string& path, const TableRead& table, std::size_t taken,
                     bool needsHeader) {
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    switch (table.status) {
    case catalogue::LoadoutStatus::Missing:
        return report.Add(name, State::Note, Quoted(path) + " is not there: none of its ships is known.");
    case catalogue::LoadoutStatus::Unreadable:
        return report.Add(name, State::Problem,
                          Quoted(path) + " was skipped: " +
                              (table.error == ERROR_FILE_TOO_LARGE
                                   ? "it is larger than " + std::to_string(catalogue::kMaxLoadoutBytes >> 20) +
                                         " MB, the most that is read."
                                   : "it cannot be read: " + files::DescribeError(table.error) + "."));
    case catalogue::LoadoutStatus::NotText:
        return report.Add(name, State::Problem,
                          Quoted(path) + " was skipped: it is not plain text (saved as Unicode, perhaps).",
                          "Open it in Notepad and save it again with the encoding ANSI.");
    case catalogue::LoadoutStatus::Read:
        break;
    }
    if (needsHeader && !table.headerFound)
        return report.Add(name, State::Note, Quoted(path) + " was read, but no row heads a SubName column: none of its "
                                                            "ships is known.");
    report.Add(name, State::Fine,
               Quoted(path) + " was read: " + std::to_string(table.ships) + " ships, " + std::to_string(taken) +
                   " of them added to the catalogue's.");
}

// The game's loadout tables, and the ship fields against the ships known with them.
void CheckShips(Report& report, const std::string& install, const CSetupForm& form) {
    catalogue::GameLoadouts loadouts = catalogue::ReadGameLoadouts(install);
    const TableRead defaults(loadouts.defaults), custom(loadouts.custom);
    const catalogue::KnownShips known(std::move(loadouts));
    auto taken = [&](catalogue::ShipSource source) {
        return static_cast<std::size_t>(std::count_if(known.Entries().begin(), known.Entries().end(),
                                                      [&](const auto& entry) { return entry.source == source; }));
    };
    AddLoadoutTable(report, catalogue::LoadoutPath(install, catalogue::LoadoutKind::Default), defaults,
                    taken(catalogue::ShipSource::DefaultLoadout), true);
    AddLoadoutTable(report, catalogue::LoadoutPath(install, catalogue::LoadoutKind::Custom), custom,
                    taken(catalogue::ShipSource::CustomLoadout), false);
    std::string flagged;
    for (const ShipPlace& place : kShipPlaces) {
        const catalogue::ShipFieldCheck check = catalogue::CheckShipField(form.*place.member, known);
        if (!check.Fine())
            flagged.append("\n").append(place.label).append(": ").append(
                files::Utf8OfAnsi(catalogue::DescribeShipField(check)));
    }
    if (flagged.empty())
        report.Add("Ship fields", State::Fine, "Every ship field is empty or names a known ship in double quotes.");
    else
        report.Add("Ship fields", State::Problem, "The game leaves out the ships of these fields:" + flagged,
                   "Ctrl+Space in a flagged field puts in the name that works, where there is one.");
}

// The record the mission writes after each game; true when it is there.
bool CheckGameRecord(Report& report) {
    const std::string path = gameconfig::kGameRecordPath;
    files::FolderEntry entry;
    const files::ErrorCode error = files::ReadEntry(path, entry);
    if (IsMissing(error))
        report.Add("Game record", State::Note,
                   Quoted(path) + " is not there yet: the mission writes it on the host's drive C: after each game.");
    else if (error != 0)
        report.Add("Game record", State::NotChecked, Quoted(path) + ": " + files::DescribeError(error) + ".");
    else
        report.Add("Game record", State::Fine,
                   Quoted(path) + " was written " + LocalDateTime(entry.written) +
                       ".\n\"Open the game's record\" shows it in your text editor.");
    return error == 0;
}

}  // namespace

std::string QuotedNames(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + Quoted(names[i]);
    return text;
}

void SetAsideStaleLists(const CWnd& owner, const std::string& scriptsFolder, const std::vector<std::string>& lists) {
    const gameconfig::SetAsideResult result = gameconfig::SetAsideMissionLists(scriptsFolder, lists);
    if (result.error != 0) owner.MessageBox(gameconfig::DescribeFailedSetAside(result).c_str(), nullptr, MB_ICONERROR);
}

CInstallationCheckDlg::CInstallationCheckDlg(const CSkirmakerDlg& setup)
    : CDialog(IDD_INSTALLATION_CHECK), m_setup(setup) {}

MessageMap CInstallationCheckDlg::GetMessageMap() const { return kMessageMap; }

BOOL CInstallationCheckDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    Refresh();
    // Enter and Esc close it; a Tab selects the whole list for copying.
    ::SetFocus(GetDlgItem(IDCANCEL));
    return FALSE;
}

void CInstallationCheckDlg::Refresh() {
    Report report;
    const std::string install = CheckGameFolder(report);
    m_scriptsFolder = install.empty() ? std::string() : install + gameconfig::kScriptsFolder;
    m_staleLists.clear();
    if (install.empty()) {
        report.Add("The game's files", State::NotChecked, "They are checked once the game's folder is known.");
    } else {
        const std::string ini = m_scriptsFolder + gameconfig::kSettingsFileName;
        CheckSettingsFile(report, ini);
        m_staleLists = CheckScriptsFolder(report, m_scriptsFolder);
        CheckVirtualStore(report, ini);
    }
    CheckDataFile(report, m_setup);
    if (!install.empty()) CheckShips(report, install, m_setup);
    const bool record = CheckGameRecord(report);
    SetDlgItemTextW(m_hWnd, IDC_CHECK_LIST, files::Widen(report.Text()).c_str());
    EnableWindow(GetDlgItem(IDC_SET_ASIDE), !m_staleLists.empty());
    EnableWindow(GetDlgItem(IDC_OPEN_RECORD), record);
}

void CInstallationCheckDlg::OnSetAside() {
    SetAsideStaleLists(*this, m_scriptsFolder, m_staleLists);
    Refresh();
    // The button is disabled once there is nothing left to set aside.
    SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(IDCANCEL)), TRUE);
}

void CInstallationCheckDlg::OnOpenRecord() {
    // The shell's "open" of a text file is the user's text editor.
    const HINSTANCE result =
        g_pfnShellExecute(m_hWnd, "open", gameconfig::kGameRecordPath, nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<std::intptr_t>(result) <= 32)
        MessageBox("The game's record could not be opened in a text editor; open it from your editor instead.", nullptr,
                   MB_ICONWARNING);
}
