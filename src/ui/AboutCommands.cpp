// The setup dialog's commands that open the about box and the map window.
#include "ui/AboutDlg.h"
#include "ui/MapPositionsDlg.h"
#include "ui/SkirmakerDlg.h"

// No parent is given: the framework makes the main window (this dialog) the
// owner, so the setup dialog stays disabled while the box is open.
void CSkirmakerDlg::OnAbout() {
    CAboutDlg dlg;
    dlg.DoModal();
}

void CSkirmakerDlg::OnViewMap() {
    CMapPositionsDlg dlg;
    dlg.DoModal();
}
