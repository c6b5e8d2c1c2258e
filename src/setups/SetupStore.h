#pragma once
#include <cstddef>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "setups/Archive.h"
#include "setups/SkirmakerData.h"

// The saved setups by title. Titles are compared byte for byte; a title may
// stand for no record. An entry stays at its place in memory while the store
// lives, so list lines may point at its record. The store knows which titles
// this run saved or deleted, so that writing can merge what other copies of
// the program wrote meanwhile.
class CSetupStore {
public:
    // Reading stops at more entries than this: each takes memory beyond its
    // bytes, and no one keeps this many setups.
    static constexpr std::size_t kMaxEntries = 1'000'000;

    struct Entry {
        SharedBytes title;
        std::optional<CSkirmakerData> record;
    };

    // Moved, entries stay where they are; a copy would point into the original.
    CSetupStore() = default;
    CSetupStore(CSetupStore&&) = default;
    CSetupStore& operator=(CSetupStore&&) = default;

    // The record stored under `title`; null when the title is no key or stands
    // for no record.
    CSkirmakerData* Find(std::string_view title);
    // Stores `record` (which may be none) under `title`; returns the stored record.
    CSkirmakerData* Store(std::string_view title, std::optional<CSkirmakerData> record);
    // "Save": the form under `title`, in the record it stands for or in a new
    // one. Returns the record.
    CSkirmakerData* Fill(std::string_view title, const CSetupForm& form);
    // "Delete": the record stored under `title` is blanked, its title kept.
    // Returns whether there was one.
    bool Blank(std::string_view title);
    void Clear();

    // The entries in the order of their titles.
    class Entries {
    public:
        struct Iterator {
            std::vector<Entry*>::const_iterator at;
            const Entry& operator*() const { return **at; }
            Iterator& operator++() { return ++at, *this; }
            bool operator==(const Iterator&) const = default;
        };
        explicit Entries(const std::vector<Entry*>& index) : m_index(index) {}
        Iterator begin() const { return {m_index.begin()}; }
        Iterator end() const { return {m_index.end()}; }

    private:
        const std::vector<Entry*>& m_index;
    };
    Entries GetEntries() const { return Entries(m_index); }
    std::size_t GetCount() const { return m_index.size(); }

    // Takes in what `disk`, read from the data file just now, holds: every
    // entry but those this run saved or deleted, which win. A record that a
    // title stands for here takes the disk's record's content in place, so
    // what points at it stays valid; entries the disk lacks stay.
    void MergeFrom(CSetupStore&& disk);
    // This run's changes are in the data file now.
    void CommitChanges() { m_changed.clear(); }

    // Writes every entry, or reads entries in file order and adds them, a later
    // title replacing an earlier one. Reading stops at the archive's first fault,
    // or after kMaxEntries entries, keeping the entries read whole before.
    // Where the archive shares its bytes, titles and records hold those from
    // then on, and the bytes they held before can go.
    void Serialize(CArchive& ar);
    // The bytes Serialize writes.
    std::size_t EncodedSize();
    // After Serialize read the declared entries: how many records follow whole
    // in the bytes the file holds beyond them (left there by older writers).
    static std::size_t CountTrailingRecords(CArchive ar);

private:
    Entry* FindEntry(std::string_view title) const;
    void Write(CArchive& ar);
    void Read(CArchive& ar);
    // One entry: its title and record; false after a fault.
    static bool ReadEntry(CArchive& ar, Entry& entry);
    // Puts the index in title order, keeping of each title the entry read last.
    void Order();

    // The entries in the order they came; m_index orders them by title and
    // leaves out those a later entry of their title replaced.
    std::deque<Entry> m_entries;
    std::vector<Entry*> m_index;
    std::set<std::string, std::less<>> m_changed;
};
