#pragma once
// Whether a ship field's text names a ship the game will find. The game takes
// a ship only when the field holds its exact sub name in double quotes, case
// and blanks included, and silently drops it otherwise; so every other text is
// flagged with why, and with the exact text that would work where one exists.
#include "catalogue/KnownShips.h"

#include <string>
#include <string_view>

namespace catalogue {

// Why a field would not reach the game; several may hold at once.
enum ShipIssue : unsigned {
    kMissingQuotes = 1u << 0,  // no double quote at one end or both
    kWrongQuotes = 1u << 1,    // two apostrophes or typographic quotes instead of double quotes
    kExtraBlanks = 1u << 2,    // blanks around the name, around the quotes, or doubled within
    kWrongCase = 1u << 3,      // a known sub name in other case
    kUnknownShip = 1u << 4,    // not a known sub name even so
    kNoName = 1u << 5,         // only quotes and blanks
};

struct ShipFieldCheck {
    unsigned issues = 0;  // ShipIssue bits; none when the field is fine
    // The name the field holds, without its quotes and extra blanks.
    std::string name;
    // The exact text that would work, quotes included; for kNoName the empty
    // text. Without a suggestion (an unknown ship with no near name) it is empty.
    bool hasSuggestion = false;
    std::string suggestion;

    bool Fine() const { return issues == 0; }
};

// Fine: empty, or exactly a known sub name in double quotes.
ShipFieldCheck CheckShipField(std::string_view text, const KnownShips& known);

// One or two sentences on what is wrong and what works, for a tooltip; empty
// when the field is fine. Long names are shortened.
std::string DescribeShipField(const ShipFieldCheck& check);

// A sub name as a ship field must hold it.
std::string QuotedShipName(std::string_view subName);

}  // namespace catalogue
