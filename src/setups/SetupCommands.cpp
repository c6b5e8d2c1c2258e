// The setup dialog's saved-setups commands: the setup list, Save, Delete,
// Close and the release of the dialog's records.
#include "gameconfig/MissionSettings.h"
#include "resource.h"
#include "ui/SkirmakerDlg.h"

namespace {

using RecordShip = std::string CSkirmakerData::*;

constexpr RecordShip kRecordShips[CSkirmakerDlg::kShipCount + 1] = {
    nullptr,
    &CSkirmakerData::m_strShip1,  &CSkirmakerData::m_strShip2,  &CSkirmakerData::m_strShip3,
    &CSkirmakerData::m_strShip4,  &CSkirmakerData::m_strShip5,  &CSkirmakerData::m_strShip6,
    &CSkirmakerData::m_strShip7,  &CSkirmakerData::m_strShip8,  &CSkirmakerData::m_strShip9,
    &CSkirmakerData::m_strShip10, &CSkirmakerData::m_strShip11, &CSkirmakerData::m_strShip12,
    &CSkirmakerData::m_strShip13, &CSkirmakerData::m_strShip14};

}  // namespace

void CSkirmakerDlg::LoadSetups() {
    const SetupLoadResult result = m_dataFile.Load(m_mapSetups);
    if (!result.message.empty()) MessageBox(result.message.c_str(), nullptr, MB_ICONWARNING);
}

SetupSaveStatus CSkirmakerDlg::SaveSetups() {
    const SetupSaveResult result = m_dataFile.Save(m_mapSetups);
    if (result.status == SetupSaveStatus::Failed) {
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
    for (const auto& [key, record] : m_mapSetups.GetEntries()) {
        if (!record) continue;
        const int index = m_comboSetups.AddString(record->m_strTitle.c_str());
        if (index >= 0) m_comboSetups.SetItemDataPtr(index, record.get());
    }
}

void CSkirmakerDlg::OnSelchangeSetups() {
    const int index = m_comboSetups.GetCurSel();
    if (index == CB_ERR) return;
    const auto* record = static_cast<const CSkirmakerData*>(m_comboSetups.GetItemDataPtr(index));
    if (!record) return;
    m_strSetupTitle = record->m_strSetupTitle;
    for (int n = 1; n <= kShipCount; ++n) Ship(n) = record->*kRecordShips[n];
    m_bHostSelectShips = record->m_bHostSelectShips;
    m_bPlayerSelectShips = record->m_bPlayerSelectShips;
    m_bPlayerVsAI = record->m_bPlayerVsAI;
    m_bPlayerVsPlayer = record->m_bPlayerVsPlayer;
    m_strComments = record->m_strComments;
    if (m_bHostSelectShips == 1)
        EnablePlayerShips(TRUE);
    else if (m_bHostSelectShips == 0)
        EnablePlayerShips(FALSE);
    UpdateData(FALSE);
}

void CSkirmakerDlg::OnSaveSetup() {
    UpdateData(TRUE);
    const std::string title = m_comboSetups.GetWindowText();
    if (!title.empty()) {
        CSkirmakerData* record = m_mapSetups.Find(title);
        if (!m_mapSetups.Contains(title)) {
            // A title the list refuses is not stored, so it is not filled either.
            const int index = m_comboSetups.AddString(title.c_str());
            if (index >= 0) {
                record = m_mapSetups.Store(title, std::make_unique<CSkirmakerData>());
                m_comboSetups.SetItemDataPtr(index, record);
            }
        }
        if (record) {
            record->m_strTitle = title;
            record->m_strSetupTitle = title;
            for (int n = 1; n <= kShipCount; ++n) record->*kRecordShips[n] = Ship(n);
            record->m_bHostSelectShips = m_bHostSelectShips;
            record->m_bPlayerSelectShips = m_bPlayerSelectShips;
            record->m_bPlayerVsAI = m_bPlayerVsAI;
            record->m_bPlayerVsPlayer = m_bPlayerVsPlayer;
            record->m_strComments = m_strComments;
        }
    }
    // The form stays when the setups could not be written, for another try.
    if (SaveSetups() != SetupSaveStatus::Saved) return;
    ClearSetupFields();
}

void CSkirmakerDlg::OnDeleteSetup() {
    UpdateData(TRUE);
    // Only a stored setup is blanked; its key and its line stay until the next
    // start. A title that is not stored leaves the store and the list alone.
    const std::string title = m_comboSetups.GetWindowText();
    if (!title.empty()) {
        if (CSkirmakerData* record = m_mapSetups.Find(title)) *record = CSkirmakerData{};
    }
    ClearSetupFields();
}

void CSkirmakerDlg::ClearSetupFields() {
    m_comboSetups.SetCurSel(-1);
    m_strSetupTitle = theMissionSettings.m_strSetup;
    for (int n = 1; n <= kShipCount; ++n) Ship(n).clear();
    m_bHostSelectShips = 0;
    m_bPlayerSelectShips = 0;
    m_bPlayerVsAI = 0;
    m_bPlayerVsPlayer = 0;
    m_strComments.clear();
    UpdateData(FALSE);
    ::SetFocus(m_comboSetups.m_hWnd);
}

void CSkirmakerDlg::OnCloseButton() {
    // A failed write keeps the dialog open for another try; a run that never
    // read the file cannot write it and ends all the same.
    if (SaveSetups() == SetupSaveStatus::Failed) return;
    CDialog::OnOK();
}

void CSkirmakerDlg::OnDestroy() {
    Default();
    // Closes any help window opened for this program; nothing depends on the answer.
    ::WinHelpA(m_hWnd, nullptr, HELP_QUIT, 0);
    // The list lines still point at these objects until the controls go; nothing reads them.
    m_mapSetups.Clear();
    m_mapCatalogue.clear();
}
