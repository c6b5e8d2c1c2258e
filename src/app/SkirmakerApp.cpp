#include "app/SkirmakerApp.h"

#include "app/GameRegistry.h"
#include "gameconfig/MissionSettings.h"
#include "ui/SkirmakerDlg.h"

CSkirmakerApp theApp;

BOOL CSkirmakerApp::InitInstance() {
    AfxInitCommonControls();
    static CGameRegistry registry;
    theMissionSettings.SetInstallRecords(&registry);
    CSkirmakerDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The dialog was the program: end instead of running a message loop.
    return FALSE;
}
