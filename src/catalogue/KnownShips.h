#pragma once
// The ships a ship field may name: the catalogue's rows and, after them, the
// ships of the game's loadout tables that the rows do not already name. In
// that order they are also the catalogue list that the setup dialog shows.
#include "catalogue/LoadoutFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace catalogue {

enum class ShipSource { Catalogue, DefaultLoadout, CustomLoadout };

struct CatalogueEntry {
    std::string race;       // empty for a loadout ship whose table has no race column
    std::string shipClass;  // likewise
    std::string subName;
    ShipSource source = ShipSource::Catalogue;
};

class KnownShips {
public:
    // The catalogue's rows alone.
    KnownShips();
    // The catalogue's rows, then in the order read (the default table first)
    // each loadout ship whose sub name is not yet known, compared exactly.
    explicit KnownShips(GameLoadouts loadouts);

    // The catalogue list: every known ship once, rows first.
    const std::vector<CatalogueEntry>& Entries() const { return m_entries; }
    std::size_t Size() const { return m_entries.size(); }

    bool Contains(std::string_view subName) const;
    // The first known sub name equal to `name` when ASCII case is ignored; null when none.
    const std::string* FindIgnoringCase(std::string_view name) const;
    // The known sub name nearest to `name` ignoring case, within NearBound of
    // it; null when none is that close. Nearest means fewest single-character
    // insertions, deletions, substitutions and swaps of neighbours; of equally
    // near names the first in the list wins.
    const std::string* FindNearest(std::string_view name) const;

    // How many edits a name of `length` bytes may be from the one it is
    // taken for: one up to 5 bytes, where two edits make most names
    // another's, and two beyond.
    static std::size_t NearBound(std::size_t length) { return length <= 5 ? 1 : 2; }

private:
    void Add(std::string race, std::string shipClass, std::string subName, ShipSource source);
    void IndexByLength();

    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };

    std::vector<CatalogueEntry> m_entries;
    // Lower-case sub name -> its first entry; m_sameLower chains the entries
    // that share it, in list order (kNone ends a chain).
    std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> m_byLower;
    std::vector<std::uint32_t> m_sameLower;

    // For the nearest-name search: the lower-case names of each length laid
    // end to end, with their entries and the set of bytes each holds.
    struct LengthGroup {
        std::string names;
        std::vector<std::uint32_t> entries;
        std::vector<std::uint64_t> byteSets;
    };
    std::vector<LengthGroup> m_byLength;
};

// A name's bytes with ASCII letters in lower case.
std::string ToLowerAscii(std::string_view text);

}  // namespace catalogue
