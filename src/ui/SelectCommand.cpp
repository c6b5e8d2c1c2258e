// "Select": the setup dialog's OK command, which applies the dialog's setup
// to the game's settings file.
#include "framework/App.h"
#include "gameconfig/MissionSettings.h"
#include "ui/SkirmakerDlg.h"

#include <string>

void CSkirmakerDlg::OnOK() {
    UpdateData(TRUE);
    // A setup the game cannot play is not applied: the game's working setup
    // stays as it is while the user completes the form.
    if (RefuseIncompleteMode()) return;
    ApplyTo(theMissionSettings);
    if (!theMissionSettings.Save()) {
        const std::string text = "Error saving to sripts.ini; code " +
                                 std::to_string(static_cast<int>(theMissionSettings.GetLastError())) + ".";
        MessageBox(text.c_str());
        return;
    }
    AfxMessageBox("Game Setup Saved For Voidwake Game Play!", MB_ICONINFORMATION);
    CDialog::OnOK();
}
