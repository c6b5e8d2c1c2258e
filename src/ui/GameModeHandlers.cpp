// The setup dialog's game-mode check boxes and ship fields.
#include "gameconfig/MissionSettings.h"
#include "ui/SkirmakerDlg.h"

// Each pair behaves like a pair of option buttons: a click leaves the clicked
// box checked and its partner clear. The record's bits only accumulate here;
// "Select" rebuilds them from the boxes before it writes.

void CSkirmakerDlg::OnClickPlayerVsPlayer() {
    UpdateData(TRUE);
    m_bPlayerVsPlayer = 1;
    m_bPlayerVsAI = 0;
    theMissionSettings.SetTeamSetting(0);
    UpdateData(FALSE);
}

void CSkirmakerDlg::OnClickPlayerVsAI() {
    UpdateData(TRUE);
    m_bPlayerVsAI = 1;
    m_bPlayerVsPlayer = 0;
    theMissionSettings.SetTeamSetting(1);
    UpdateData(FALSE);
}

void CSkirmakerDlg::OnClickPlayerSelectShips() {
    UpdateData(TRUE);
    m_bPlayerSelectShips = 1;
    m_bHostSelectShips = 0;
    theMissionSettings.SetPlayerShipSetting(2);
    EnablePlayerShips(FALSE);
    UpdateData(FALSE);
}

void CSkirmakerDlg::OnClickHostSelectShips() {
    UpdateData(TRUE);
    m_bHostSelectShips = 1;
    m_bPlayerSelectShips = 0;
    theMissionSettings.SetPlayerShipSetting(3);
    EnablePlayerShips(TRUE);
    UpdateData(FALSE);
}

void CSkirmakerDlg::OnChangeShip(int n) {
    UpdateData(TRUE);
    theMissionSettings.m_strShips[n] = Ship(n);
}
