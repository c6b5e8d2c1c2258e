// The setup dialog's choice of the game's folder, for installs whose registry
// names none the program can use (a copied folder, a reinstalled system, a
// game under Wine or Proton in another prefix). The choice is this user's and
// lives in the program's own registry key; the game's value is never written.
#include "files/FileIO.h"
#include "files/WideText.h"
#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"
#include "ui/SkirmakerDlg.h"

#include <objbase.h>
#include <shlobj.h>

#include <iterator>
#include <string>

namespace {

int CALLBACK SelectInitialFolder(HWND picker, UINT message, LPARAM, LPARAM initial) {
    if (message == BFFM_INITIALIZED && initial) SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, initial);
    return 0;
}

std::string BrowseForFolder(HWND owner, const char* title, const std::string& initial) {
    // The shell's picker needs COM on the calling thread.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const std::wstring wideTitle = files::Widen(title);
    const std::wstring wideInitial = files::Widen(initial);
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = wideTitle.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = SelectInitialFolder;
    info.lParam = wideInitial.empty() ? 0 : reinterpret_cast<LPARAM>(wideInitial.c_str());
    std::string folder;
    if (PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info)) {
        wchar_t path[MAX_PATH] = {};
        if (SHGetPathFromIDListW(chosen, path)) folder = files::Narrow(path);
        CoTaskMemFree(chosen);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return folder;
}

// A path for a menu: its ampersands shown as typed, a long one cut in the
// middle (never inside a character that takes two UTF-16 units).
std::wstring MenuPath(std::wstring path) {
    constexpr std::size_t kMost = 60;
    if (path.size() > kMost) {
        std::size_t head = kMost / 2 - 2, tail = path.size() - kMost / 2 + 1;
        if (IS_HIGH_SURROGATE(path[head - 1])) --head;
        if (IS_LOW_SURROGATE(path[tail])) ++tail;
        path = path.substr(0, head) + L"..." + path.substr(tail);
    }
    std::wstring shown;
    for (wchar_t c : path) shown += c == L'&' ? std::wstring(L"&&") : std::wstring(1, c);
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
    const std::string explanation = gameconfig::ExplainRefusal(error, path);
    const std::string reason = explanation.empty()
                                   ? "\"" + path + "\" could not be read: " + files::DescribeError(error) + "."
                                   : "could not be read.\n" + explanation;
    const std::string text = "The game's settings file " + reason + "\nThe setup last applied to the game is not shown.";
    MessageBox(text.c_str(), nullptr, MB_ICONWARNING);
}

void CSkirmakerDlg::ShowGameFolderInMenu() {
    HMENU sysMenu = GetSystemMenu(m_hWnd, FALSE);
    if (!sysMenu) return;
    std::string folder;
    wchar_t format[64] = {};
    const bool found = theMissionSettings.GetInstallPath(folder);
    LoadStringW(AfxGetInstanceHandle(), found ? IDS_GAMEFOLDER : IDS_NOGAMEFOLDER, format, std::size(format));
    std::wstring text = format;
    if (const std::size_t at = text.find(L"%s"); found && at != std::wstring::npos)
        text.replace(at, 2, MenuPath(files::Widen(folder)));
    ModifyMenuW(sysMenu, IDM_GAMEFOLDER, MF_BYCOMMAND | MF_STRING, IDM_GAMEFOLDER, text.c_str());
}
