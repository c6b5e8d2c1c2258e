#pragma once
// CInstallationCheckDlg: the installation check, a list of what the game needs
// to offer the mission and of the files the program uses, each with its state
// and, where there is one, its fix. The list can be selected and copied, so a
// player can paste it into a request for help.
#include "framework/Dialog.h"

#include <string>
#include <vector>

class CSkirmakerDlg;

class CInstallationCheckDlg : public CDialog {
public:
    // Checks the setup dialog's data file and ship fields besides the game's files.
    explicit CInstallationCheckDlg(const CSkirmakerDlg& setup);

    BOOL OnInitDialog() override;
    void OnSetAside();
    void OnOpenRecord();

protected:
    MessageMap GetMessageMap() const override;

private:
    // Makes every check afresh and shows the list.
    void Refresh();

    const CSkirmakerDlg& m_setup;
    std::string m_scriptsFolder;
    std::vector<std::string> m_staleLists;
};

// "a", "b" and "c": names for a message.
std::string QuotedNames(const std::vector<std::string>& names);

// Sets the stale mission lists `lists` of the game's scripts folder aside;
// tells the user, in a box owned by `owner`, when that failed.
void SetAsideStaleLists(const CWnd& owner, const std::string& scriptsFolder, const std::vector<std::string>& lists);
