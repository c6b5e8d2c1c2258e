#pragma once
#include <cstddef>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <string_view>

#include "setups/Archive.h"
#include "setups/SkirmakerData.h"

// The saved setups by title. Titles are compared byte for byte; a title may
// stand for no record. The store owns its records and frees them with itself,
// and knows which titles this run saved or deleted, so that writing can merge
// what other copies of the program wrote meanwhile.
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
    // "Save": the record stored under `title` takes the form; a title that
    // stands for no record changes nothing. Returns the record.
    CSkirmakerData* Fill(const std::string& title, const CSetupForm& form);
    // "Delete": the record stored under `title` is blanked, its title kept.
    // Returns whether there was one.
    bool Blank(std::string_view title);
    void Clear();

    const Entries& GetEntries() const { return m_entries; }
    std::size_t GetCount() const { return m_entries.size(); }

    // Takes in what `disk`, read from the data file just now, holds: every
    // entry but those this run saved or deleted, which win. A record that a
    // title stands for here takes the disk's record's content in place, so
    // what points at it stays valid; entries the disk lacks stay.
    void MergeFrom(CSetupStore&& disk);
    // This run's changes are in the data file now.
    void CommitChanges() { m_changed.clear(); }

    // Writes every entry, or reads entries in file order and adds them, a later
    // key replacing an earlier one. Reading stops at the archive's first fault,
    // keeping the entries read whole before it.
    void Serialize(CArchive& ar);
    // After Serialize read the declared entries: how many records follow whole
    // in the bytes the file holds beyond them (left there by older writers).
    static std::size_t CountTrailingRecords(CArchive ar);

private:
    void Write(CArchive& ar) const;
    void Read(CArchive& ar);
    // One entry: its title and record; false after a fault.
    static bool ReadEntry(CArchive& ar, std::string& title, std::unique_ptr<CSkirmakerData>& record);

    Entries m_entries;
    std::set<std::string, std::less<>> m_changed;
};
