// The setup dialog's ship catalogue: a reference list of the known ships'
// sub names, the catalogue's rows and the game's loadout ships.
#include "catalogue/LoadoutFile.h"
#include "catalogue/ShipCatalogue.h"
#include "gameconfig/MissionSettings.h"
#include "ui/SkirmakerDlg.h"

#include <span>

namespace {

// Adds a line to the sorted list `combo` for each ship, the first being known
// ship number `first`. A line's data is its ship's number plus one (0 names no
// ship): a number can be checked against the known ships, where a pointer into
// them would dangle once they are replaced.
void AddLines(HWND combo, std::span<const catalogue::CatalogueEntry> ships, std::size_t first) {
    std::size_t textBytes = 0;
    for (const catalogue::CatalogueEntry& ship : ships) textBytes += ship.subName.size() + 1;
    // The game's tables may add thousands of lines: room for all at once, and no drawing meanwhile.
    ::SendMessageA(combo, CB_INITSTORAGE, ships.size(), textBytes);
    ::SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
    for (std::size_t i = 0; i < ships.size(); ++i) {
        const auto index = ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ships[i].subName.c_str()));
        if (index >= 0) ::SendMessageA(combo, CB_SETITEMDATA, index, static_cast<LPARAM>(first + i + 1));
    }
    ::SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

void CSkirmakerDlg::FillShipCatalogue() {
    // The catalogue's rows go in now. The game's loadout tables may hold
    // thousands of ships, which take a list box a tenth of a second to sort
    // in: they are read, and the ship fields checked, as soon as the dialog is
    // on screen.
    m_bGameShipsKnown = false;
    m_catalogueLines = 0;  // the list of a dialog window just made is empty
    ShowKnownShips(catalogue::KnownShips());
    SetTimer(m_hWnd, kGameShipsTimer, 0, nullptr);
    // The ship fields' tips show only where the user points or moves to:
    // they are made after the game's ships, which mark the fields.
    SetTimer(m_hWnd, kShipTipsTimer, 0, nullptr);
}

void CSkirmakerDlg::ShowKnownShips(catalogue::KnownShips known) {
    m_knownShips = std::move(known);
    // Under Wine every message to a subclassed window is slow: the combo's
    // object lets go of its window while the lines go in.
    HWND combo = m_comboCatalogue.Detach();
    // The known ships always begin with the catalogue's rows, whose lines stay;
    // the lines of another game's ships go.
    if (m_catalogueLines > kShipCatalogueSize) {
        ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
        m_catalogueLines = 0;
    }
    const std::span<const catalogue::CatalogueEntry> ships = m_knownShips.Entries();
    AddLines(combo, ships.subspan(m_catalogueLines), m_catalogueLines);
    m_comboCatalogue.Attach(combo);
    m_catalogueLines = ships.size();
}

void CSkirmakerDlg::LoadGameShips() {
    // Whichever comes first, start-up's timer or a chosen game folder, reads the ships.
    KillTimer(m_hWnd, kGameShipsTimer);
    try {
        std::string install;
        catalogue::KnownShips known;
        if (theMissionSettings.GetInstallPath(install))
            known = catalogue::KnownShips(catalogue::ReadGameLoadouts(install));
        ShowKnownShips(std::move(known));
    } catch (...) {
        // Said once; the fields are checked all the same, against the ships known so far.
        AfxReportException(m_hWnd, "Reading the game's loadout ships");
    }
    m_bGameShipsKnown = true;
    CheckShipFields();
}

void CSkirmakerDlg::OnTimer(UINT_PTR id) {
    if (id == kGameShipsTimer) LoadGameShips();
    if (id == kShipTipsTimer) {
        KillTimer(m_hWnd, id);
        CreateShipTips();
    }
}

void CSkirmakerDlg::OnSelchangeCatalogue() {
    const int index = m_comboCatalogue.GetCurSel();
    if (index == CB_ERR) return;
    // The entry is found through the chosen line itself, never by name.
    const std::size_t number = m_comboCatalogue.GetItemData(index);
    if (number == 0 || number > m_knownShips.Size()) return;
    const catalogue::CatalogueEntry& ship = m_knownShips.Entries()[number - 1];
    m_strRace = ship.race;
    m_strClass = ship.shipClass;
    m_strSubName = ship.subName;
    UpdateData(FALSE);
}
