#pragma once
// The game's standard ships and objects, listed by sub name in the setup
// dialog's catalogue combo so the user can look up the names to type.
#include <cstddef>

// One catalogue row; the sub name is the row's key and is unique even when
// case is ignored.
struct ShipCatalogueRow {
    const char* race;
    const char* shipClass;
    const char* subName;
};

inline constexpr std::size_t kShipCatalogueSize = 300;

extern const ShipCatalogueRow g_shipCatalogue[kShipCatalogueSize];
