// "Select": the setup dialog's OK command, which applies the dialog's setup
// to the game's settings file.
#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "ui/SkirmakerDlg.h"

#include <cstdio>

void CSkirmakerDlg::OnOK() {
    UpdateData(TRUE);
    ApplyTo(theMissionSettings);

    // The file is written before the mode is checked, so an incomplete mode is
    // still applied as it stands.
    const bool saved = theMissionSettings.Save();
    if (!saved) {
        char text[128];
        std::snprintf(text, sizeof text, "Error saving to sripts.ini; code %d.",
                      static_cast<int>(theMissionSettings.GetLastError()));
        MessageBox(text);
    }
    if (theMissionSettings.GetPlayerShipSettings() == 0 || theMissionSettings.GetTeamSettings() == 0) {
        MessageBox("You must select the game setup options from the dialog!", "No Option Selected!");
    } else if (saved) {
        AfxMessageBox("Game Setup Saved For Voidwake Game Play!", MB_ICONINFORMATION);
        CDialog::OnOK();
    }
}
