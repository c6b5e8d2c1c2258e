// The setup dialog's help with the installation the game needs: the data file
// a run uses, what "Select" says when the game will not offer the mission, and
// the installation check of the system menu.
#include "files/Folder.h"
#include "framework/App.h"
#include "gameconfig/Installation.h"
#include "gameconfig/MissionSettings.h"
#include "ui/InstallationCheckDlg.h"
#include "ui/SkirmakerDlg.h"

void CSkirmakerDlg::ChooseDataFile() {
    // Setups kept beside the program are found whatever folder it is started from.
    const std::string program = AfxGetProgramPath();
    m_dataFile = CSetupDataFile(
        gameconfig::ChooseDataFile(CSetupDataFile::kFileName, program.substr(0, program.find_last_of("\\/") + 1)));
}

void CSkirmakerDlg::WarnOfUnlistedMission() {
    std::string scripts;
    std::vector<files::FolderEntry> entries;
    // A folder that cannot be listed is the check window's to report: Select has done its part.
    if (!theMissionSettings.GetScriptsPath(scripts) || files::ListFolder(scripts, entries) != 0) return;
    const gameconfig::MissionInstall install = gameconfig::ExamineScriptsFolder(entries);
    const std::string folder = QuotedNames({scripts.substr(0, scripts.size() - 1)});
    if (!install.hasScript) {
        const std::string text = "The setup was written, but the game will not offer the Skirmaker mission until its "
                                 "script " + std::string(gameconfig::kMissionScriptName) + " is in the folder " +
                                 folder + ".";
        MessageBox(text.c_str(), nullptr, MB_ICONWARNING);
        return;
    }
    if (install.staleLists.empty()) return;
    const bool several = install.staleLists.size() > 1;
    const std::string question =
        "The setup was written, but the game's mission " + std::string(several ? "lists " : "list ") +
        QuotedNames(install.staleLists) + " in the folder " + folder + (several ? " were" : " was") +
        " made before the mission " + gameconfig::kMissionScriptName +
        " was installed, so the game does not offer the Skirmaker mission yet.\n\nDo you want to set the old " +
        (several ? "lists" : "list") +
        " aside (renamed, not deleted), so that the game makes a new one at its next start?";
    if (MessageBox(question.c_str(), nullptr, MB_YESNO | MB_ICONWARNING) == IDYES)
        SetAsideStaleLists(*this, scripts, install.staleLists);
}

void CSkirmakerDlg::OnCheckInstallation() {
    // The ship fields are checked as they stand.
    UpdateData(TRUE);
    CInstallationCheckDlg dlg(*this);
    dlg.DoModal();
}
