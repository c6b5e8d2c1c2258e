// The setup dialog's ship catalogue: a reference list of the known ships'
// sub names, the catalogue's rows and the game's loadout ships.
#include "catalogue/LoadoutFile.h"
#include "gameconfig/MissionSettings.h"
#include "ui/SkirmakerDlg.h"

#include <span>

namespace {

using CatalogueEntries = std::map<std::string, std::unique_ptr<CShipEntry>>;

// Adds a line to the sorted list `combo` for each ship, with its entry as the line's data.
void AddLines(HWND combo, std::span<const catalogue::CatalogueEntry> ships, CatalogueEntries& entries) {
    std::size_t textBytes = 0;
    for (const catalogue::CatalogueEntry& ship : ships) textBytes += ship.subName.size() + 1;
    // The game's tables may add thousands of lines: room for all at once, and no drawing meanwhile.
    ::SendMessageA(combo, CB_INITSTORAGE, ships.size(), textBytes);
    ::SendMessageA(combo, WM_SETREDRAW, FALSE, 0);
    for (const catalogue::CatalogueEntry& ship : ships) {
        auto entry = std::make_unique<CShipEntry>();
        entry->m_strName = ship.subName;
        entry->m_strRace = ship.race;
        entry->m_strClass = ship.shipClass;
        entry->m_strSubName = ship.subName;
        CShipEntry* shown = entry.get();
        entries[ship.subName] = std::move(entry);
        const auto index = ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ship.subName.c_str()));
        if (index >= 0) ::SendMessageA(combo, CB_SETITEMDATA, index, reinterpret_cast<LPARAM>(shown));
    }
    ::SendMessageA(combo, WM_SETREDRAW, TRUE, 0);
}

}  // namespace

void CSkirmakerDlg::FillShipCatalogue() {
    // The catalogue's rows go in now. The game's loadout tables may hold
    // thousands of ships, which take a list box a tenth of a second to sort
    // in: they are read, and the ship fields checked, as soon as the dialog is
    // on screen.
    m_knownShips = catalogue::KnownShips();
    m_bGameShipsKnown = false;
    m_catalogueLines = 0;  // the list of a dialog window just made is empty
    AddCatalogueLines(m_knownShips.Size());
    SetTimer(m_hWnd, kGameShipsTimer, 0, nullptr);
    // The ship fields' tips show only where the user points or moves to:
    // they are made after the game's ships, which mark the fields.
    SetTimer(m_hWnd, kShipTipsTimer, 0, nullptr);
}

void CSkirmakerDlg::AddCatalogueLines(std::size_t upTo) {
    const std::span<const catalogue::CatalogueEntry> ships = m_knownShips.Entries();
    if (upTo <= m_catalogueLines || upTo > ships.size()) return;
    // Under Wine every message to a subclassed window is slow: the combo's
    // object lets go of its window while the lines go in.
    HWND combo = m_comboCatalogue.Detach();
    AddLines(combo, ships.subspan(m_catalogueLines, upTo - m_catalogueLines), m_mapCatalogue);
    m_comboCatalogue.Attach(combo);
    m_catalogueLines = upTo;
}

void CSkirmakerDlg::OnTimer(UINT_PTR id) {
    if (id != kGameShipsTimer && id != kShipTipsTimer) return;
    KillTimer(m_hWnd, id);
    if (id == kShipTipsTimer) return CreateShipTips();
    std::string install;
    if (theMissionSettings.GetInstallPath(install))
        m_knownShips = catalogue::KnownShips(catalogue::ReadGameLoadouts(install));
    AddCatalogueLines(m_knownShips.Size());
    m_bGameShipsKnown = true;
    CheckShipFields();
}

void CSkirmakerDlg::OnSelchangeCatalogue() {
    const int index = m_comboCatalogue.GetCurSel();
    if (index == CB_ERR) return;
    // The entry is found through the chosen item itself, never by name.
    const auto* entry = static_cast<const CShipEntry*>(m_comboCatalogue.GetItemDataPtr(index));
    if (!entry) return;
    m_strRace = entry->m_strRace;
    m_strClass = entry->m_strClass;
    m_strSubName = entry->m_strSubName;
    UpdateData(FALSE);
}
