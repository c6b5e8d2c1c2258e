// The setup dialog's ship catalogue: a read-only reference list of sub names.
#include "catalogue/ShipCatalogue.h"
#include "ui/SkirmakerDlg.h"

void CSkirmakerDlg::FillShipCatalogue() {
    for (const ShipCatalogueRow& row : g_shipCatalogue) {
        auto entry = std::make_unique<CShipEntry>();
        entry->m_strName = row.subName;
        entry->m_strRace = row.race;
        entry->m_strClass = row.shipClass;
        entry->m_strSubName = row.subName;
        CShipEntry* shown = entry.get();
        m_mapCatalogue[row.subName] = std::move(entry);
        const int index = m_comboCatalogue.AddString(row.subName);
        if (index >= 0) m_comboCatalogue.SetItemDataPtr(index, shown);
    }
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
