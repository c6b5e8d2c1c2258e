#include "setups/SetupStore.h"

#include <utility>

bool CSetupStore::Contains(std::string_view title) const { return m_entries.find(title) != m_entries.end(); }

CSkirmakerData* CSetupStore::Find(std::string_view title) const {
    const auto it = m_entries.find(title);
    return it == m_entries.end() ? nullptr : it->second.get();
}

CSkirmakerData* CSetupStore::Store(std::string title, std::unique_ptr<CSkirmakerData> record) {
    auto& slot = m_entries[std::move(title)];
    slot = std::move(record);
    return slot.get();
}

CSkirmakerData* CSetupStore::Fill(const std::string& title, const CSetupForm& form) {
    CSkirmakerData* record = Find(title);
    if (!record) return nullptr;
    record->Fill(title, form);
    m_changed.insert(title);
    return record;
}

bool CSetupStore::Blank(std::string_view title) {
    CSkirmakerData* record = Find(title);
    if (!record) return false;
    *record = CSkirmakerData{};
    m_changed.emplace(title);
    return true;
}

void CSetupStore::Clear() {
    m_entries.clear();
    m_changed.clear();
}

void CSetupStore::MergeFrom(CSetupStore&& disk) {
    for (auto& [title, record] : disk.m_entries) {
        if (m_changed.contains(title)) continue;
        auto& ours = m_entries[title];
        if (ours && record)
            *ours = *record;
        else if (!ours)
            ours = std::move(record);
    }
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

bool CSetupStore::ReadEntry(CArchive& ar, std::string& title, std::unique_ptr<CSkirmakerData>& record) {
    title = ar.ReadString();
    record.reset();
    if (ar.ReadObjectTag(CSkirmakerData::kClass)) {
        record = std::make_unique<CSkirmakerData>();
        record->Serialize(ar);
    }
    return !ar.Failed();
}

void CSetupStore::Read(CArchive& ar) {
    const std::uint32_t count = ar.ReadCount();
    // No room is reserved for `count`: it is only trusted as far as the data
    // actually holds entries.
    std::string title;
    std::unique_ptr<CSkirmakerData> record;
    for (std::uint32_t i = 0; i < count && !ar.Failed(); ++i) {
        if (!ReadEntry(ar, title, record)) break;
        // Files written in key order insert at the end in constant time.
        const auto it = m_entries.try_emplace(m_entries.end(), std::move(title));
        it->second = std::move(record);
    }
}

std::size_t CSetupStore::CountTrailingRecords(CArchive ar) {
    std::size_t records = 0;
    std::string title;
    std::unique_ptr<CSkirmakerData> record;
    while (!ar.Failed() && !ar.AtEnd() && ReadEntry(ar, title, record)) records += record != nullptr;
    return records;
}
