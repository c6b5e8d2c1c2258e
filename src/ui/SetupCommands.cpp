// The setup dialog's saved-setups commands: the setup list, Save, Delete,
// Close and the release of the dialog's records.
#include "gameconfig/MissionSettings.h"
#include "resource.h"
#include "ui/SkirmakerDlg.h"

void CSkirmakerDlg::LoadSetups() {
    ChooseDataFile();
    const SetupLoadResult result = m_dataFile.Load(m_mapSetups);
    if (!result.message.empty()) MessageBox(result.message.c_str(), nullptr, MB_ICONWARNING);
}

SetupSaveStatus CSkirmakerDlg::SaveSetups() {
    const SetupSaveResult result = m_dataFile.Save(m_mapSetups);
    m_bSetupsUnsaved = result.status == SetupSaveStatus::Failed ||
                       (result.status == SetupSaveStatus::NotLoaded && m_mapSetups.GetCount() != 0);
    if (result.status == SetupSaveStatus::Saved && !result.message.empty()) {
        // Saved, after keeping aside a file that went bad since start-up.
        MessageBox(result.message.c_str(), nullptr, MB_ICONWARNING);
    } else if (result.status == SetupSaveStatus::Failed) {
        // The store stays in memory, so a later Save or Close can still succeed.
        MessageBox(result.message.c_str(), nullptr, MB_ICONERROR);
    } else if (result.status == SetupSaveStatus::NotLoaded && m_mapSetups.GetCount() != 0) {
        // Setups made in a run that could not read the file are not written over
        // it; the user hears so rather than losing them unseen.
        MessageBox(result.message.c_str(), nullptr, MB_ICONWARNING);
    }
    return result.status;
}

void CSkirmakerDlg::FillSetupList() {
    // A start-up completed late finds the lines of the setups saved meanwhile.
    m_comboSetups.SendMessage(CB_RESETCONTENT);
    for (const auto& [key, record] : m_mapSetups.GetEntries()) {
        if (!record) continue;
        const int index = m_comboSetups.AddString(std::string(record->Title()).c_str());
        if (index >= 0) m_comboSetups.SetItemDataPtr(index, const_cast<CSkirmakerData*>(&*record));
    }
}

void CSkirmakerDlg::OnSelchangeSetups() {
    const int index = m_comboSetups.GetCurSel();
    if (index == CB_ERR) return;
    const auto* record = static_cast<const CSkirmakerData*>(m_comboSetups.GetItemDataPtr(index));
    if (!record) return;
    // The list's edit field already shows the line's text: the record's title is not the form's.
    ShowForm(record->Form());
    ShowPlayerShipsOfHostFlag();
}

void CSkirmakerDlg::OnSaveSetup() {
    UpdateData(TRUE);
    const std::string title = m_comboSetups.GetWindowText();
    if (title.empty()) {
        // Nothing could be saved under no title: the form stays for one to be typed.
        MessageBox("Type a title for this setup in the box at the top, then press \"Save\" again.", nullptr,
                   MB_ICONINFORMATION);
        ::SetFocus(m_comboSetups.m_hWnd);
        return;
    }
    // A title without a record (new, or listed in the file without one) gets
    // its line; a line the list refuses shows from the next start.
    const bool listed = m_mapSetups.Find(title) != nullptr;
    CSkirmakerData* record = m_mapSetups.Fill(title, *this);
    if (!listed) {
        const int index = m_comboSetups.AddString(title.c_str());
        if (index >= 0) m_comboSetups.SetItemDataPtr(index, record);
    }
    // The form stays when the setups could not be written, for another try.
    if (SaveSetups() != SetupSaveStatus::Saved) return;
    ClearSetupFields();
}

void CSkirmakerDlg::OnDeleteSetup() {
    UpdateData(TRUE);
    const std::string title = m_comboSetups.GetWindowText();
    // Only a stored setup is blanked, and the file written at once, so the
    // deletion lasts however the program is left; its key and its line stay
    // until the next start. Otherwise nothing changes, the form included.
    if (title.empty() || !m_mapSetups.Blank(title)) {
        MessageBox(title.empty() ? "Choose the setup to delete in the box at the top, then press \"Delete\" again."
                                 : "No setup is saved under this title, so nothing was deleted.",
                   nullptr, MB_ICONINFORMATION);
        ::SetFocus(m_comboSetups.m_hWnd);
        return;
    }
    SaveSetups();
    ClearSetupFields();
}

void CSkirmakerDlg::ClearSetupFields() {
    m_comboSetups.SetCurSel(-1);
    ShowForm(CSetupForm::Cleared(theMissionSettings.m_strSetup));
    ::SetFocus(m_comboSetups.m_hWnd);
}

void CSkirmakerDlg::OnCloseButton() {
    // A failed write keeps the dialog open for another try; a run that never
    // read the file cannot write it, and ends if the user wants to.
    if (SaveSetups() == SetupSaveStatus::Failed || !LeaveDespiteUnsavedSetups()) return;
    CDialog::OnOK();
}

void CSkirmakerDlg::OnCancel() {
    // Esc writes nothing; setups that could not be written are not lost unasked.
    if (LeaveDespiteUnsavedSetups()) CDialog::OnCancel();
}

bool CSkirmakerDlg::LeaveDespiteUnsavedSetups() {
    if (!m_bSetupsUnsaved) return true;
    const std::string text = std::string("The setups are not saved: \"") + CSetupDataFile::kFileName +
                             "\" could not be written, and leaving now loses the changes made to them.\n"
                             "Do you want to leave anyway?";
    return MessageBox(text.c_str(), nullptr, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void CSkirmakerDlg::OnDestroy() {
    Default();
    // Closes any help window opened for this program; nothing depends on the answer.
    ::WinHelpA(m_hWnd, nullptr, HELP_QUIT, 0);
    // The list lines still point at these records until the controls go; nothing reads them.
    m_mapSetups.Clear();
}
