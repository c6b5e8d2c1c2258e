#include "ui/SkirmakerDlg.h"

#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"

#include <string>

namespace {

constexpr MessageEntry kMessageMap[] = {
    ON_WM_SYSCOMMAND(CSkirmakerDlg),
    ON_WM_PAINT(CSkirmakerDlg),
    ON_WM_QUERYDRAGICON(CSkirmakerDlg),
    ON_EN_CHANGE(IDC_SHIP1, CSkirmakerDlg, OnChangeShip1),
    ON_EN_CHANGE(IDC_SHIP2, CSkirmakerDlg, OnChangeShip2),
    ON_EN_CHANGE(IDC_SHIP3, CSkirmakerDlg, OnChangeShip3),
    ON_EN_CHANGE(IDC_SHIP4, CSkirmakerDlg, OnChangeShip4),
    ON_EN_CHANGE(IDC_SHIP5, CSkirmakerDlg, OnChangeShip5),
    ON_EN_CHANGE(IDC_SHIP6, CSkirmakerDlg, OnChangeShip6),
    ON_EN_CHANGE(IDC_SHIP7, CSkirmakerDlg, OnChangeShip7),
    ON_EN_CHANGE(IDC_SHIP8, CSkirmakerDlg, OnChangeShip8),
    ON_BN_CLICKED(IDC_SAVE, CSkirmakerDlg, OnSaveSetup),
    ON_BN_CLICKED(IDC_CLOSE_BUTTON, CSkirmakerDlg, OnCloseButton),
    ON_WM_DESTROY(CSkirmakerDlg),
    ON_CBN_SELCHANGE(IDC_SETUPS, CSkirmakerDlg, OnSelchangeSetups),
    ON_BN_CLICKED(IDC_ABOUT, CSkirmakerDlg, OnAbout),
    ON_BN_CLICKED(IDC_DELETE, CSkirmakerDlg, OnDeleteSetup),
    ON_BN_CLICKED(IDC_HELP_BUTTON, CSkirmakerDlg, OnHelpButton),
    ON_EN_CHANGE(IDC_SHIP9, CSkirmakerDlg, OnChangeShip9),
    ON_EN_CHANGE(IDC_SHIP10, CSkirmakerDlg, OnChangeShip10),
    ON_EN_CHANGE(IDC_SHIP11, CSkirmakerDlg, OnChangeShip11),
    ON_EN_CHANGE(IDC_SHIP12, CSkirmakerDlg, OnChangeShip12),
    ON_EN_CHANGE(IDC_SHIP13, CSkirmakerDlg, OnChangeShip13),
    ON_EN_CHANGE(IDC_SHIP14, CSkirmakerDlg, OnChangeShip14),
    ON_BN_CLICKED(IDC_PLAYER_VS_AI, CSkirmakerDlg, OnClickPlayerVsAI),
    ON_BN_CLICKED(IDC_PLAYER_VS_PLAYER, CSkirmakerDlg, OnClickPlayerVsPlayer),
    ON_BN_CLICKED(IDC_HOST_SELECT_SHIPS, CSkirmakerDlg, OnClickHostSelectShips),
    ON_BN_CLICKED(IDC_PLAYER_SELECT_SHIPS, CSkirmakerDlg, OnClickPlayerSelectShips),
    ON_CBN_SELCHANGE(IDC_CATALOGUE, CSkirmakerDlg, OnSelchangeCatalogue),
    ON_BN_CLICKED(IDC_VIEW_MAP, CSkirmakerDlg, OnViewMap),
    ON_COMMAND(IDM_COPYSETUP, CSkirmakerDlg, OnCopySetup),
    ON_COMMAND(IDM_PASTESETUP, CSkirmakerDlg, OnPasteSetup),
    ON_WM_CTLCOLOREDIT(CSkirmakerDlg),
    ON_WM_CONTEXTMENU(CSkirmakerDlg),
    ON_WM_TIMER(CSkirmakerDlg),
    ON_COMMAND(IDM_PUTSHIPNAME, CSkirmakerDlg, OnPutShipName),
};

}  // namespace

CSkirmakerDlg::CSkirmakerDlg(CWnd* pParent) : CDialog(IDD_SKIRMAKER_DIALOG, pParent) {
    m_hIcon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CSkirmakerDlg::~CSkirmakerDlg() = default;

MessageMap CSkirmakerDlg::GetMessageMap() const { return kMessageMap; }

void CSkirmakerDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CATALOGUE, m_comboCatalogue);
    DDX_Control(pDX, IDC_SETUPS, m_comboSetups);
    for (const ShipPlace& place : kShipPlaces) DDX_Text(pDX, place.controlId, this->*place.member);
    for (const ModeBox& box : kModeBoxes) DDX_Check(pDX, box.controlId, this->*box.member);
    DDX_Text(pDX, IDC_SETUP_TITLE, m_strSetupTitle);
    DDX_Text(pDX, IDC_RACE, m_strRace);
    DDX_Text(pDX, IDC_CLASS, m_strClass);
    DDX_Text(pDX, IDC_SUBNAME, m_strSubName);
    DDX_Text(pDX, IDC_COMMENTS, m_strComments);
    // Whatever shows the members (start-up, a chosen, pasted or cleared
    // setup) shows their checks too; typing checks as it goes.
    if (!pDX->m_bSaveAndValidate) CheckShipFields();
}

BOOL CSkirmakerDlg::OnInitDialog() {
    AttachShipFields();
    CDialog::OnInitDialog();
    // Nothing typed or pasted is cut short (edits stop at 30,000 characters
    // by default): the record and the files hold texts of any length.
    for (const ShipPlace& place : kShipPlaces) SendDlgItemMessageA(m_hWnd, place.controlId, EM_SETLIMITTEXT, 0, 0);
    SendDlgItemMessageA(m_hWnd, IDC_COMMENTS, EM_SETLIMITTEXT, 0, 0);
    for (const CComboBox* combo : {static_cast<CComboBox*>(&m_comboCatalogue), &m_comboSetups})
        combo->SendMessage(CB_LIMITTEXT, 0);

    if (HMENU sysMenu = GetSystemMenu(m_hWnd, FALSE)) {
        char about[256] = {};
        LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, sizeof about);
        if (about[0] != '\0') {
            AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(sysMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
        AppendMenuA(sysMenu, MF_STRING, IDM_GAMEFOLDER, "");
        char check[64] = {};
        LoadStringA(AfxGetInstanceHandle(), IDS_CHECKINSTALLATION, check, sizeof check);
        AppendMenuA(sysMenu, MF_STRING, IDM_CHECKINSTALLATION, check);
        AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
        for (const UINT id : {IDM_COPYSETUP, IDM_PASTESETUP}) {
            char text[64] = {};
            LoadStringA(AfxGetInstanceHandle(), id == IDM_COPYSETUP ? IDS_COPYSETUP : IDS_PASTESETUP, text, sizeof text);
            AppendMenuA(sysMenu, MF_STRING, id, text);
        }
    }
    m_hAccel = LoadAcceleratorsA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    if (!theMissionSettings.Load()) {
        const std::string text = "Error reading from skirmaker.ini; code " +
                                 std::to_string(static_cast<int>(theMissionSettings.GetLastError())) + ".";
        MessageBox(text.c_str());
        // Without a game the dialog stays as the framework's initialisation left it.
        if (!AskForGameFolder()) {
            ShowGameFolderInMenu();
            return FALSE;
        }
    } else {
        ReportUnreadableSettings();
        std::string install;
        if (theMissionSettings.GetInstallPath(install) && !gameconfig::HoldsScriptsFolder(install)) AskForGameFolder();
    }
    StartWithGame();
    return TRUE;
}

BOOL CSkirmakerDlg::PreTranslateMessage(MSG* pMsg) {
    // Ctrl+Space belongs to the ship fields and the catalogue; in the other
    // boxes it types a space, as it does anywhere else.
    const bool spaceKey = pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_SPACE;
    if (spaceKey && !TakesShipKey(pMsg->hwnd)) return CDialog::PreTranslateMessage(pMsg);
    if (m_hAccel && TranslateAcceleratorA(m_hWnd, m_hAccel, pMsg)) return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}

void CSkirmakerDlg::OnSysCommand(UINT nID, LPARAM) {
    switch (nID & 0xFFF0) {
    case IDM_ABOUTBOX:
        return OnAbout();
    case IDM_GAMEFOLDER:
        return OnChooseGameFolder();
    case IDM_CHECKINSTALLATION:
        return OnCheckInstallation();
    case IDM_COPYSETUP:
        return OnCopySetup();
    case IDM_PASTESETUP:
        return OnPasteSetup();
    default:
        return Default();
    }
}

void CSkirmakerDlg::OnPaint() {
    if (!IsIconic(m_hWnd)) {
        Default();
        return;
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(m_hWnd, &paint);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(m_hWnd, &rect);
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    DrawIcon(dc, x, y, m_hIcon);
    EndPaint(m_hWnd, &paint);
}

HCURSOR CSkirmakerDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }
