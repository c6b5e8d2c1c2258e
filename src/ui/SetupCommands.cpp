// The setup dialog's saved-setups commands: the setup list, Save, Delete,
// Close and the release of the dialog's records.
#include "gameconfig/MissionSettings.h"
#include "files/WideText.h"
#include "resource.h"
#include "ui/SkirmakerDlg.h"

#include <algorithm>
#include <vector>

namespace {

// A line of the setup list: its text as the list keeps it and its record.
struct SetupLine {
    std::wstring text;
    CSkirmakerData* record;
};

// Sorts `lines` by `less`, equal lines keeping their order, by merging the
// runs already in order: the store's byte order is mostly the list's, so this
// takes a few comparisons a line where a full sort takes one per halving.
template <class Less>
void SortMergingRuns(std::vector<SetupLine>& lines, Less less) {
    std::vector<std::size_t> bounds{0};
    for (std::size_t i = 1; i < lines.size(); ++i)
        if (less(lines[i], lines[i - 1])) bounds.push_back(i);
    bounds.push_back(lines.size());
    while (bounds.size() > 2) {
        std::vector<std::size_t> merged{0};
        for (std::size_t r = 0; r + 2 < bounds.size(); r += 2) {
            const auto at = [&](std::size_t bound) { return lines.begin() + static_cast<std::ptrdiff_t>(bounds[bound]); };
            std::inplace_merge(at(r), at(r + 1), at(r + 2), less);
            merged.push_back(bounds[r + 2]);
        }
        if (bounds.size() % 2 == 0) merged.push_back(bounds.back());  // an odd run waits for the next pass
        bounds = std::move(merged);
    }
}

}  // namespace

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
    // The lines are sorted here and appended in order: a sorted list finds
    // each new line's place and moves the lines after it. Under Wine every
    // message to a subclassed window is slow: the combo's object lets go of
    // its window while the lines go in.
    HWND combo = m_comboSetups.Detach();
    const auto locale = static_cast<LCID>(::SendMessageW(combo, CB_GETLOCALE, 0, 0));
    std::vector<SetupLine> lines;
    std::size_t textBytes = 0;
    for (const auto& [key, record] : m_mapSetups.GetEntries()) {
        if (!record) continue;
        lines.push_back({files::WidenAnsi(record->Title()), const_cast<CSkirmakerData*>(&*record)});
        textBytes += (lines.back().text.size() + 1) * sizeof(wchar_t);
    }
    // As the sorted list compares, by its locale and ignoring case; lines it
    // holds equal keep the store's order.
    SortMergingRuns(lines, [locale](const SetupLine& a, const SetupLine& b) {
        return CompareStringW(locale, NORM_IGNORECASE, a.text.c_str(), -1, b.text.c_str(), -1) == CSTR_LESS_THAN;
    });
    // A start-up completed late finds the lines of the setups saved meanwhile.
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    ::SendMessageW(combo, CB_INITSTORAGE, lines.size(), textBytes);
    ::SendMessageW(combo, WM_SETREDRAW, FALSE, 0);
    for (const SetupLine& line : lines) {
        const LRESULT index =
            ::SendMessageW(combo, CB_INSERTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(line.text.c_str()));
        if (index >= 0) ::SendMessageW(combo, CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(line.record));
    }
    ::SendMessageW(combo, WM_SETREDRAW, TRUE, 0);
    m_comboSetups.Attach(combo);
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
    const std::string text = "The setups are not saved: \"" + m_dataFile.Path() +
                             "\" could not be written, and leaving now loses the changes made to them.\n"
                             "Do you want to leave anyway?";
    return MessageBox(text.c_str(), nullptr, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void CSkirmakerDlg::OnDestroy() {
    Default();
    // Closes any help window opened for this program; nothing depends on the answer.
    ::WinHelpA(m_hWnd, nullptr, HELP_QUIT, 0);
    // A list that goes tells the dialog of each line that carries data, and
    // under Wine each such message to the dialog and its subclassed combos
    // waits on the Wine server: thousands of lines took seconds. The lines
    // let go of their records first, past the combos' objects.
    for (CComboBox* combo : {static_cast<CComboBox*>(&m_comboCatalogue), &m_comboSetups}) {
        HWND window = combo->Detach();
        const LRESULT lines = ::SendMessageW(window, CB_GETCOUNT, 0, 0);
        for (LRESULT line = 0; line < lines; ++line) ::SendMessageW(window, CB_SETITEMDATA, line, 0);
    }
    m_mapSetups.Clear();
}
