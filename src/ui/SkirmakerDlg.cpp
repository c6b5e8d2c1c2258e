#include "ui/SkirmakerDlg.h"

#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "resource.h"

#include <cstdio>

namespace {

using ShipMember = std::string CSkirmakerDlg::*;

constexpr ShipMember kShipMembers[CSkirmakerDlg::kShipCount + 1] = {
    nullptr,
    &CSkirmakerDlg::m_strShip1,  &CSkirmakerDlg::m_strShip2,  &CSkirmakerDlg::m_strShip3,
    &CSkirmakerDlg::m_strShip4,  &CSkirmakerDlg::m_strShip5,  &CSkirmakerDlg::m_strShip6,
    &CSkirmakerDlg::m_strShip7,  &CSkirmakerDlg::m_strShip8,  &CSkirmakerDlg::m_strShip9,
    &CSkirmakerDlg::m_strShip10, &CSkirmakerDlg::m_strShip11, &CSkirmakerDlg::m_strShip12,
    &CSkirmakerDlg::m_strShip13, &CSkirmakerDlg::m_strShip14};

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
};

}  // namespace

CSkirmakerDlg::CSkirmakerDlg(CWnd* pParent) : CDialog(IDD_SKIRMAKER_DIALOG, pParent) {
    m_hIcon = LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
}

CSkirmakerDlg::~CSkirmakerDlg() = default;

std::string& CSkirmakerDlg::Ship(int n) { return this->*kShipMembers[n]; }

MessageMap CSkirmakerDlg::GetMessageMap() const { return kMessageMap; }

void CSkirmakerDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CATALOGUE, m_comboCatalogue);
    DDX_Control(pDX, IDC_SETUPS, m_comboSetups);
    DDX_Text(pDX, IDC_SHIP2, m_strShip2);
    DDX_Text(pDX, IDC_SHIP3, m_strShip3);
    DDX_Text(pDX, IDC_SHIP4, m_strShip4);
    DDX_Text(pDX, IDC_SHIP5, m_strShip5);
    DDX_Text(pDX, IDC_SHIP6, m_strShip6);
    DDX_Text(pDX, IDC_SHIP7, m_strShip7);
    DDX_Text(pDX, IDC_SHIP8, m_strShip8);
    DDX_Text(pDX, IDC_SHIP1, m_strShip1);
    DDX_Text(pDX, IDC_SHIP9, m_strShip9);
    DDX_Text(pDX, IDC_SHIP10, m_strShip10);
    DDX_Text(pDX, IDC_SHIP11, m_strShip11);
    DDX_Text(pDX, IDC_SHIP12, m_strShip12);
    DDX_Text(pDX, IDC_SHIP13, m_strShip13);
    DDX_Text(pDX, IDC_SHIP14, m_strShip14);
    DDX_Check(pDX, IDC_HOST_SELECT_SHIPS, m_bHostSelectShips);
    DDX_Check(pDX, IDC_PLAYER_SELECT_SHIPS, m_bPlayerSelectShips);
    DDX_Check(pDX, IDC_PLAYER_VS_AI, m_bPlayerVsAI);
    DDX_Check(pDX, IDC_PLAYER_VS_PLAYER, m_bPlayerVsPlayer);
    DDX_Text(pDX, IDC_SETUP_TITLE, m_strSetupTitle);
    DDX_Text(pDX, IDC_RACE, m_strRace);
    DDX_Text(pDX, IDC_CLASS, m_strClass);
    DDX_Text(pDX, IDC_SUBNAME, m_strSubName);
    DDX_Text(pDX, IDC_COMMENTS, m_strComments);
}

BOOL CSkirmakerDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU sysMenu = GetSystemMenu(m_hWnd, FALSE)) {
        char about[256] = {};
        LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, sizeof about);
        if (about[0] != '\0') {
            AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(sysMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    if (!theMissionSettings.Load()) {
        char text[128];
        std::snprintf(text, sizeof text, "Error reading from skirmaker.ini; code %d.", static_cast<int>(GetLastError()));
        MessageBox(text);
        return FALSE;
    }

    // Load has just read the title and the ships from the same file, by the
    // same rules (a value is taken only when it is not empty), so the fields
    // start from the record rather than from a second read of the file.
    m_strSetupTitle = theMissionSettings.m_strSetup;
    for (int n = 1; n <= kShipCount; ++n) Ship(n) = theMissionSettings.m_strShips[n];

    m_bPlayerVsPlayer = theMissionSettings.HasTeamSetting(0) ? 1 : 0;
    m_bPlayerVsAI = theMissionSettings.HasTeamSetting(1) ? 1 : 0;
    m_bPlayerSelectShips = theMissionSettings.HasPlayerShipSetting(2) ? 1 : 0;
    m_bHostSelectShips = theMissionSettings.HasPlayerShipSetting(3) ? 1 : 0;
    UpdateData(FALSE);

    // Replaying through the handlers makes the first box of a pair win when
    // the file sets both bits.
    if (m_bPlayerVsPlayer == 1) {
        theMissionSettings.SetTeamSetting(0);
        OnClickPlayerVsPlayer();
    }
    if (m_bPlayerVsAI == 1) {
        theMissionSettings.SetTeamSetting(1);
        OnClickPlayerVsAI();
    }
    if (m_bPlayerSelectShips == 1) {
        theMissionSettings.SetPlayerShipSetting(2);
        OnClickPlayerSelectShips();
    }
    if (m_bHostSelectShips == 1) {
        theMissionSettings.SetPlayerShipSetting(3);
        OnClickHostSelectShips();
    }

    FillShipCatalogue();
    LoadSetups();
    FillSetupList();
    return TRUE;
}

void CSkirmakerDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX)
        OnAbout();
    else
        Default();
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

void CSkirmakerDlg::EnablePlayerShips(BOOL enable) {
    for (int n = 9; n <= kShipCount; ++n) EnableWindow(GetDlgItem(kShipEditIds[n]), enable);
}
