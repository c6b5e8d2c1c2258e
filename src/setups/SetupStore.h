#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "setups/Archive.h"
#include "setups/SkirmakerData.h"

// The saved setups by title. Titles are compared byte for byte; a title may
// stand for no record. The store owns its records and frees them with itself.
class CSetupStore {
public:
    using Entries = std::map<std::string, std::unique_ptr<CSkirmakerData>, std::less<>>;

    bool Contains(std::string_view title) const;
    // The record stored under `title`; null when the title is no key or stands
    // for no record.
    CSkirmakerData* Find(std::string_view title) const;
    // Stores `record` (which may be null) under `title`, freeing any record the
    // title stood for; returns the stored record.
    CSkirmakerData* Store(std::string title, std::unique_ptr<CSkirmakerData> record);
    void Clear() { m_entries.clear(); }

    const Entries& GetEntries() const { return m_entries; }
    std::size_t GetCount() const { return m_entries.size(); }

    // Writes every entry, or reads entries in file order and adds them, a later
    // key replacing an earlier one. Reading stops at the archive's first fault,
    // keeping the entries read whole before it.
    void Serialize(CArchive& ar);

private:
    void Write(CArchive& ar) const;
    void Read(CArchive& ar);

    Entries m_entries;
};
