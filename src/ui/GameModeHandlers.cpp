// The setup dialog's form as shown: its fields, the game-mode check boxes and
// the ship fields.
#include "gameconfig/MissionSettings.h"
#include "ui/SkirmakerDlg.h"

void CSkirmakerDlg::ShowForm(const CSetupForm& form) {
    static_cast<CSetupForm&>(*this) = form;
    UpdateData(FALSE);
}

// Each pair behaves like a pair of option buttons: a click leaves the clicked
// box checked and its partner clear. The record's bits only accumulate here;
// "Select" rebuilds them from the boxes before it writes.
void CSkirmakerDlg::OnClickModeBox(const ModeBox& box) {
    UpdateData(TRUE);
    TickModeBox(*this, box, theMissionSettings);
    ShowPlayerShips(box.playerShips);
    UpdateData(FALSE);
}

void CSkirmakerDlg::ShowPlayerShips(PlayerShips state) {
    if (state == PlayerShips::Unchanged) return;
    for (std::size_t i = kFirstPlayerPlace; i < kShipPlaces.size(); ++i)
        EnableWindow(GetDlgItem(kShipPlaces[i].controlId), state == PlayerShips::Enabled);
}

bool CSkirmakerDlg::RefuseIncompleteMode() {
    if (HasCompleteMode()) return false;
    MessageBox("You must select the game setup options from the dialog!", "No Option Selected!");
    return true;
}

void CSkirmakerDlg::ShowPlayerShipsOfHostFlag() {
    // A value other than 0 or 1 (from a data file) leaves them as they are.
    if (m_bHostSelectShips == 1) ShowPlayerShips(PlayerShips::Enabled);
    if (m_bHostSelectShips == 0) ShowPlayerShips(PlayerShips::Disabled);
}

void CSkirmakerDlg::OnChangeShip(int n) {
    UpdateData(TRUE);
    theMissionSettings.m_strShips[n] = this->*kShipPlaces[n - 1].member;
    CheckShip(n);
}
