#include "setups/SetupStore.h"

#include <algorithm>
#include <utility>

namespace {

std::string_view TitleOf(const CSetupStore::Entry* entry) { return entry->title.View(); }

}  // namespace

CSetupStore::Entry* CSetupStore::FindEntry(std::string_view title) const {
    const auto it = std::ranges::lower_bound(m_index, title, {}, TitleOf);
    return it != m_index.end() && (*it)->title == title ? *it : nullptr;
}

CSkirmakerData* CSetupStore::Find(std::string_view title) {
    Entry* entry = FindEntry(title);
    return entry && entry->record ? &*entry->record : nullptr;
}

CSkirmakerData* CSetupStore::Store(std::string_view title, std::optional<CSkirmakerData> record) {
    auto it = std::ranges::lower_bound(m_index, title, {}, TitleOf);
    if (it == m_index.end() || (*it)->title != title)
        it = m_index.insert(it, &m_entries.emplace_back(Entry{SharedBytes::Copy(title), std::nullopt}));
    std::optional<CSkirmakerData>& stored = (*it)->record;
    stored = std::move(record);
    return stored ? &*stored : nullptr;
}

CSkirmakerData* CSetupStore::Fill(std::string_view title, const CSetupForm& form) {
    m_changed.emplace(title);
    return Store(title, CSkirmakerData::Saved(title, form));
}

bool CSetupStore::Blank(std::string_view title) {
    CSkirmakerData* record = Find(title);
    if (!record) return false;
    *record = CSkirmakerData();
    m_changed.emplace(title);
    return true;
}

void CSetupStore::Clear() {
    m_index.clear();
    m_entries.clear();
    m_changed.clear();
}

void CSetupStore::MergeFrom(CSetupStore&& disk) {
    if (m_index.empty()) {
        *this = std::move(disk);
        return;
    }
    // Both indexes are in title order: one pass through each.
    std::vector<Entry*> merged;
    merged.reserve(m_index.size() + disk.m_index.size());
    auto ours = m_index.begin();
    for (Entry* theirs : disk.m_index) {
        while (ours != m_index.end() && TitleOf(*ours) < TitleOf(theirs)) merged.push_back(*ours++);
        if (ours == m_index.end() || (*ours)->title != theirs->title) {
            merged.push_back(&m_entries.emplace_back(std::move(*theirs)));
            continue;
        }
        Entry* entry = *ours++;
        if (theirs->record && !m_changed.contains(TitleOf(entry))) entry->record = std::move(theirs->record);
        merged.push_back(entry);
    }
    merged.insert(merged.end(), ours, m_index.end());
    m_index = std::move(merged);
}

void CSetupStore::Serialize(CArchive& ar) {
    if (ar.IsStoring())
        Write(ar);
    else
        Read(ar);
}

std::size_t CSetupStore::EncodedSize() {
    CArchive counter = CArchive::Storing(nullptr);
    Write(counter);
    return counter.Offset();
}

void CSetupStore::Write(CArchive& ar) {
    ar.WriteCount(static_cast<std::uint32_t>(m_index.size()));
    for (Entry* entry : m_index) {
        ar.WriteString(entry->title.View());
        if (ar.Shares()) entry->title = ar.Share(ar.Offset() - entry->title.View().size());
        ar.WriteObjectTag(CSkirmakerData::kClass, entry->record.has_value());
        if (entry->record) entry->record->Serialize(ar);
    }
}

bool CSetupStore::ReadEntry(CArchive& ar, Entry& entry) {
    entry.title = ar.Share(ar.ReadText());
    entry.record.reset();
    if (ar.ReadObjectTag(CSkirmakerData::kClass)) entry.record.emplace().Serialize(ar);
    return !ar.Failed();
}

void CSetupStore::Read(CArchive& ar) {
    const std::uint32_t count = ar.ReadCount();
    // No room is reserved for `count`: it is only trusted as far as the data
    // actually holds entries.
    bool ordered = true;
    for (std::uint32_t i = 0; i < count && !ar.Failed(); ++i) {
        if (i == kMaxEntries) {
            ar.SetFault(ArchiveFault::TooManyEntries, ar.Offset(),
                        "the file lists more than " + std::to_string(kMaxEntries) +
                            " setups, the most this program reads");
            break;
        }
        Entry& entry = m_entries.emplace_back();
        if (!ReadEntry(ar, entry)) {
            m_entries.pop_back();
            break;
        }
        // Files this program writes come in title order, which needs no sorting.
        ordered = ordered && (m_index.empty() || TitleOf(m_index.back()) < TitleOf(&entry));
        m_index.push_back(&entry);
    }
    if (!ordered) Order();
}

void CSetupStore::Order() {
    std::ranges::stable_sort(m_index, {}, TitleOf);
    auto kept = m_index.begin();
    for (auto it = m_index.begin(); it != m_index.end(); ++it) {
        if (std::next(it) == m_index.end() || (*std::next(it))->title != (*it)->title) *kept++ = *it;
    }
    m_index.erase(kept, m_index.end());
}

std::size_t CSetupStore::CountTrailingRecords(CArchive ar) {
    std::size_t records = 0;
    Entry entry;
    while (!ar.Failed() && !ar.AtEnd() && ReadEntry(ar, entry)) records += entry.record.has_value();
    return records;
}
