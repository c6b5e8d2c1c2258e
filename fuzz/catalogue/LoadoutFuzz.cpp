// Feeds the loadout-table reader arbitrary bytes as either table, checks that
// every ship it gives is a usable name, and checks a ship field against the
// ships it gave.
#include "catalogue/KnownShips.h"
#include "catalogue/LoadoutFile.h"
#include "catalogue/ShipFieldCheck.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool Usable(std::string_view name) {
    if (name.empty() || name.size() > catalogue::kMaxNameBytes) return false;
    if (name.front() == ' ' || name.back() == ' ' || name.front() == '\t' || name.back() == '\t') return false;
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    catalogue::GameLoadouts loadouts;
    loadouts.defaults = catalogue::ParseLoadout(input, catalogue::LoadoutKind::Default);
    loadouts.custom = catalogue::ParseLoadout(input, catalogue::LoadoutKind::Custom);
    for (const catalogue::LoadoutTable* table : {&loadouts.defaults, &loadouts.custom}) {
        Require(table->ships.size() <= catalogue::kMaxLoadoutShips);
        for (const catalogue::LoadoutShip& ship : table->ships) Require(Usable(ship.subName));
    }
    const catalogue::KnownShips known(loadouts);
    for (const catalogue::LoadoutShip& ship : loadouts.custom.ships) Require(known.Contains(ship.subName));
    // The first line of the input as a ship field: fine only when empty or a known name in quotes.
    const std::string_view field = input.substr(0, input.find('\n'));
    const catalogue::ShipFieldCheck check = catalogue::CheckShipField(field, known);
    if (check.Fine() && !field.empty())
        Require(field.size() >= 2 && field.front() == '"' && field.back() == '"' &&
                known.Contains(field.substr(1, field.size() - 2)));
    return 0;
}
