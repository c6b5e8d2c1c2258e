// The setup dialog's choice of the game's folder, for installs whose registry
// names none the program can use (a copied folder, a reinstalled system, a
// game under Wine or Proton in another prefix). The choice is this user's and
// lives in the program's own registry key; the game's value is never written.
#include "files/FileIO.h"
#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"
#include "ui/SkirmakerDlg.h"

#include <objbase.h>
#include <shlobj.h>

#include <cstdio>

namespace {

int CALLBACK SelectInitialFolder(HWND picker, UINT message, LPARAM, LPARAM initial) {
    if (message == BFFM_INITIALIZED && initial) SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, initial);
    return 0;
}

std::string BrowseForFolder(HWND owner, const char* title, const std::string& initial) {
    // The shell's picker needs COM on the calling thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = SelectInitialFolder;
    info.lParam = initial.empty() ? 0 : reinterpret_cast<LPARAM>(initial.c_str());
    std::string folder;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info)) {
        char path[MAX_PATH] = {};
        if (SHGetPathFromIDListA(chosen, path)) folder = path;
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return folder;
}

// A path for a menu: its ampersands shown as typed, a long one cut in the middle.
std::string MenuPath(std::string path) {
    constexpr std::size_t kMost = 60;
    if (path.size() > kMost) path = path.substr(0, kMost / 2 - 2) + "..." + path.substr(path.size() - kMost / 2 + 1);
    std::string shown;
    for (char c : path) shown += c == '&' ? "&&" : std::string(1, c);
    return shown;
}

}  // namespace

BrowseForFolderFunction g_pfnBrowseForFolder = BrowseForFolder;

bool CSkirmakerDlg::AskForGameFolder() {
    if (MessageBox("Skirmaker did not find the folder of Voidwake.\nDo you want to choose the game's folder now?",
                   nullptr, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return false;
    return ChooseGameFolder();
}

bool CSkirmakerDlg::ChooseGameFolder() {
    std::string current;
    theMissionSettings.GetInstallPath(current);
    const std::string title = "Choose the folder where Voidwake is installed (it holds Assets\\Scripts)." +
                              (current.empty() ? std::string() : "\nIn use: " + current);
    for (;;) {
        const std::string folder = g_pfnBrowseForFolder(m_hWnd, title.c_str(), current);
        if (folder.empty()) return false;
        if (gameconfig::HoldsScriptsFolder(gameconfig::AdoptInstallPath(folder))) {
            if (const files::ErrorCode error = theMissionSettings.ChooseInstallFolder(folder)) {
                const std::string text = "The game's folder could not be remembered: " + files::DescribeError(error) + ".";
                MessageBox(text.c_str(), nullptr, MB_ICONERROR);
                return false;
            }
            break;
        }
        const std::string text = "The folder \"" + folder +
                                 "\" holds no Assets\\Scripts folder, so it is not the game's.\n"
                                 "Do you want to choose another folder?";
        if (MessageBox(text.c_str(), nullptr, MB_YESNO | MB_ICONWARNING) != IDYES) return false;
    }
    theMissionSettings.Load();
    ReportUnreadableSettings();
    ShowGameFolderInMenu();
    return true;
}

void CSkirmakerDlg::StartWithGame() {
    ShowGameFolderInMenu();
    // Load has just read the title, the ships and the mode from the same file,
    // by the same rules (a value is taken only when it is not empty), so the
    // fields start from the record rather than from a second read of the file.
    ShowForm(CSetupForm::FromMission(theMissionSettings));
    // The mode is replayed as if clicked: the boxes left ticked set P1-P6.
    for (const ModeBox& box : kModeBoxes) {
        if (this->*box.member == 1) ShowPlayerShips(box.playerShips);
    }
    FillShipCatalogue();
    LoadSetups();
    FillSetupList();
    m_bStarted = true;
}

void CSkirmakerDlg::OnChooseGameFolder() {
    // A start-up that stopped without a game is completed once there is one;
    // a running dialog keeps its form, knows the new game's ships, and
    // "Select" writes to the new folder.
    if (!ChooseGameFolder()) return;
    if (m_bStarted)
        LoadGameShips();
    else
        StartWithGame();
}

void CSkirmakerDlg::ReportUnreadableSettings() {
    const files::ErrorCode error = theMissionSettings.GetReadError();
    if (error == 0) return;
    std::string path;
    theMissionSettings.GetSettingsFilePath(path);
    const std::string text = "The game's settings file \"" + path + "\" could not be read: " +
                             files::DescribeError(error) + ".\nThe setup last applied to the game is not shown.";
    MessageBox(text.c_str(), nullptr, MB_ICONWARNING);
}

void CSkirmakerDlg::ShowGameFolderInMenu() {
    HMENU sysMenu = GetSystemMenu(m_hWnd, FALSE);
    if (!sysMenu) return;
    std::string folder;
    char format[64] = {};
    const bool found = theMissionSettings.GetInstallPath(folder);
    LoadStringA(AfxGetInstanceHandle(), found ? IDS_GAMEFOLDER : IDS_NOGAMEFOLDER, format, sizeof format);
    std::string text = format;
    if (const std::size_t at = text.find("%s"); found && at != std::string::npos) text.replace(at, 2, MenuPath(folder));
    ModifyMenuA(sysMenu, IDM_GAMEFOLDER, MF_BYCOMMAND | MF_STRING, IDM_GAMEFOLDER, text.c_str());
}
