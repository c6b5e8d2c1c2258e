#include "catalogue/KnownShips.h"

#include "catalogue/ShipCatalogue.h"

#include <algorithm>
#include <array>
#include <limits>

namespace catalogue {
namespace {

constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

// The set of bytes a lower-case name holds, folded into 64 bits: letters,
// digits and the usual punctuation of sub names get bits of their own. A byte
// of one name absent from the other costs at least one edit, so the larger of
// the two differences bounds the distance from below, cheaply.
std::uint64_t ByteSet(std::string_view lower) {
    std::uint64_t set = 0;
    for (const char c : lower) {
        const auto byte = static_cast<unsigned char>(c);
        unsigned bit;
        if (byte >= 'a' && byte <= 'z') bit = byte - 'a';
        else if (byte >= '0' && byte <= '9') bit = 26 + (byte - '0');
        else if (byte == ' ') bit = 36;
        else if (byte == '\'') bit = 37;
        else if (byte == '-') bit = 38;
        else if (byte == '.') bit = 39;
        else if (byte == '+') bit = 40;
        else bit = 41 + byte % 23;
        set |= std::uint64_t{1} << bit;
    }
    return set;
}

// Whether `bits` has more than `count` bits set; clearing the lowest set bit
// `count` times is cheaper than counting where the processor cannot count.
bool MoreBitsThan(std::uint64_t bits, std::size_t count) {
    for (; count > 0 && bits != 0; --count) bits &= bits - 1;
    return bits != 0;
}

// Whether the byte sets alone show two names more than `limit` edits apart.
bool SurelyBeyond(std::uint64_t a, std::uint64_t b, std::size_t limit) {
    return MoreBitsThan(a & ~b, limit) || MoreBitsThan(b & ~a, limit);
}

// Edits (insert, delete, substitute, swap of neighbours) from `a` to `b`, or
// limit + 1 when there are more than `limit`. Only the cells within `limit`
// of the table's diagonal can stay within it, so only those are worked out.
std::size_t Distance(std::string_view a, std::string_view b, std::size_t limit) {
    const std::size_t n = a.size(), m = b.size();
    const std::size_t beyond = limit + 1;
    if (n > m + limit || m > n + limit || m > kMaxNameBytes || beyond > 0xFF) return beyond;
    using Row = std::array<std::uint8_t, kMaxNameBytes + 2>;
    Row rows[3];
    Row* before = &rows[0];  // row i - 2
    Row* above = &rows[1];   // row i - 1
    Row* row = &rows[2];
    for (std::size_t j = 0; j <= m; ++j) (*above)[j] = static_cast<std::uint8_t>(std::min(j, beyond));
    for (std::size_t i = 1; i <= n; ++i) {
        const std::size_t lo = i > limit ? i - limit : 1;
        const std::size_t hi = std::min(m, i + limit);
        (*row)[lo - 1] = static_cast<std::uint8_t>(lo == 1 ? std::min(i, beyond) : beyond);
        std::size_t rowMin = beyond;
        for (std::size_t j = lo; j <= hi; ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            std::size_t value = std::min({(*above)[j] + std::size_t{1}, (*row)[j - 1] + std::size_t{1},
                                          (*above)[j - 1] + cost, beyond});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                value = std::min(value, (*before)[j - 2] + std::size_t{1});
            (*row)[j] = static_cast<std::uint8_t>(value);
            rowMin = std::min(rowMin, value);
        }
        if (hi < m) (*row)[hi + 1] = static_cast<std::uint8_t>(beyond);
        // Later rows draw on this one, and through a swap that costs one more
        // on the one above, which is at most one below this one.
        if (rowMin > limit) return beyond;
        Row* spare = before;
        before = above;
        above = row;
        row = spare;
    }
    return (*above)[m];
}

void LowerAscii(std::string::iterator first, std::string::iterator last) {
    for (; first != last; ++first)
        if (*first >= 'A' && *first <= 'Z') *first = static_cast<char>(*first - 'A' + 'a');
}

}  // namespace

std::string ToLowerAscii(std::string_view text) {
    std::string lower(text);
    LowerAscii(lower.begin(), lower.end());
    return lower;
}

KnownShips::KnownShips() : KnownShips(GameLoadouts{}) {}

KnownShips::KnownShips(GameLoadouts loadouts) {
    const std::size_t most = kShipCatalogueSize + loadouts.defaults.ships.size() + loadouts.custom.ships.size();
    m_entries.reserve(most);
    m_sameLower.reserve(most);
    m_byLower.reserve(most);
    for (const ShipCatalogueRow& row : g_shipCatalogue) Add(row.race, row.shipClass, row.subName, ShipSource::Catalogue);
    // The tables' strings move into the entries: thousands of names copied
    // would cost start-up time.
    for (LoadoutShip& ship : loadouts.defaults.ships)
        Add(std::move(ship.race), std::move(ship.shipClass), std::move(ship.subName), ShipSource::DefaultLoadout);
    for (LoadoutShip& ship : loadouts.custom.ships)
        Add(std::move(ship.race), std::move(ship.shipClass), std::move(ship.subName), ShipSource::CustomLoadout);
    IndexByLength();
}

void KnownShips::Add(std::string race, std::string shipClass, std::string subName, ShipSource source) {
    if (subName.empty() || subName.size() > kMaxNameBytes || m_entries.size() >= kNone) return;
    const auto index = static_cast<std::uint32_t>(m_entries.size());
    auto [it, added] = m_byLower.try_emplace(ToLowerAscii(subName), index);
    if (!added) {
        std::uint32_t last = it->second;
        for (std::uint32_t i = last; i != kNone; i = m_sameLower[i]) {
            if (m_entries[i].subName == subName) return;
            last = i;
        }
        m_sameLower[last] = index;
    }
    m_entries.push_back({std::move(race), std::move(shipClass), std::move(subName), source});
    m_sameLower.push_back(kNone);
}

void KnownShips::IndexByLength() {
    m_byLength.assign(kMaxNameBytes + 1, {});
    for (std::uint32_t i = 0; i < m_entries.size(); ++i) {
        const std::string& name = m_entries[i].subName;
        LengthGroup& group = m_byLength[name.size()];
        const std::size_t at = group.names.size();
        group.names += name;
        LowerAscii(group.names.begin() + static_cast<std::ptrdiff_t>(at), group.names.end());
        group.entries.push_back(i);
        group.byteSets.push_back(ByteSet(std::string_view(group.names).substr(at)));
    }
}

bool KnownShips::Contains(std::string_view subName) const {
    const auto it = m_byLower.find(ToLowerAscii(subName));
    if (it == m_byLower.end()) return false;
    for (std::uint32_t i = it->second; i != kNone; i = m_sameLower[i])
        if (m_entries[i].subName == subName) return true;
    return false;
}

const std::string* KnownShips::FindIgnoringCase(std::string_view name) const {
    const auto it = m_byLower.find(ToLowerAscii(name));
    return it == m_byLower.end() ? nullptr : &m_entries[it->second].subName;
}

const std::string* KnownShips::FindNearest(std::string_view name) const {
    const std::string lower = ToLowerAscii(name);
    const std::size_t n = lower.size();
    if (n == 0) return nullptr;
    const std::uint64_t set = ByteSet(lower);
    std::size_t bestDistance = NearBound(n);
    std::uint32_t best = kNone;
    // Only names within the bound in length can be within it in edits.
    const std::size_t shortest = n > bestDistance ? n - bestDistance : 1;
    const std::size_t longest = std::min(n + bestDistance, m_byLength.size() - 1);
    // Names of the same length first: a near one found there tightens the
    // bound for the rest.
    for (std::size_t step = 0; step <= 2 * NearBound(n); ++step) {
        const std::size_t length = step % 2 ? n - (step + 1) / 2 : n + step / 2;
        if (length < shortest || length > longest) continue;
        const LengthGroup& group = m_byLength[length];
        for (std::size_t k = 0; k < group.entries.size(); ++k) {
            if (SurelyBeyond(set, group.byteSets[k], bestDistance)) continue;
            const std::size_t distance =
                Distance(lower, std::string_view(group.names).substr(k * length, length), bestDistance);
            if (distance > bestDistance) continue;
            if (best == kNone || distance < bestDistance || group.entries[k] < best) {
                best = group.entries[k];
                bestDistance = distance;
            }
        }
    }
    return best == kNone ? nullptr : &m_entries[best].subName;
}

}  // namespace catalogue
