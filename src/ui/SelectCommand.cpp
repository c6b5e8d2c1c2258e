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
    // Asked before anything is written, so that No changes nothing.
    if (!LeaveDespiteUnsavedSetups()) return;
    ApplyTo(theMissionSettings);
    if (!theMissionSettings.Save()) {
        const files::ErrorCode error = theMissionSettings.GetLastError();
        std::string text = "Error saving to sripts.ini; code " + std::to_string(static_cast<int>(error)) + ".";
        // A refusal of our own has no system text that would say what to do.
        std::string path;
        theMissionSettings.GetSettingsFilePath(path);
        if (const std::string explanation = gameconfig::ExplainRefusal(error, path); !explanation.empty())
            text += "\n" + explanation;
        MessageBox(text.c_str());
        return;
    }
    WarnOfUnlistedMission();
    AfxMessageBox("Game Setup Saved For Voidwake Game Play!", MB_ICONINFORMATION);
    CDialog::OnOK();
}
