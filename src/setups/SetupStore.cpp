#include "setups/SetupStore.h"

#include <utility>

bool CSetupStore::Contains(std::string_view title) const {
    return m_entries.find(title) != m_entries.end();
}

CSkirmakerData* CSetupStore::Find(std::string_view title) const {
    const auto it = m_entries.find(title);
    return it == m_entries.end() ? nullptr : it->second.get();
}

CSkirmakerData* CSetupStore::Store(std::string title, std::unique_ptr<CSkirmakerData> record) {
    auto& slot = m_entries[std::move(title)];
    slot = std::move(record);
    return slot.get();
}

void CSetupStore::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        Write(ar);
    else
        Read(ar);
}

void CSetupStore::Write(CArchive& ar) const {
    ar.WriteCount(static_cast<std::uint32_t>(m_entries.size()));
    for (const auto& [title, record] : m_entries) {
        ar.WriteString(title);
        ar.WriteObjectTag(CSkirmakerData::kClass, record != nullptr);
        if (record) record->Serialize(ar);
    }
}

void CSetupStore::Read(CArchive& ar) {
    const std::uint32_t count = ar.ReadCount();
    // No room is reserved for `count`: it is only trusted as far as the data
    // actually holds entries.
    for (std::uint32_t i = 0; i < count && !ar.Failed(); ++i) {
        std::string title = ar.ReadString();
        std::unique_ptr<CSkirmakerData> record;
        if (ar.ReadObjectTag(CSkirmakerData::kClass)) {
            record = std::make_unique<CSkirmakerData>();
            record->Serialize(ar);
        }
        if (ar.Failed()) break;
        // Files written in key order insert at the end in constant time.
        const auto it = m_entries.try_emplace(m_entries.end(), std::move(title));
        it->second = std::move(record);
    }
}
