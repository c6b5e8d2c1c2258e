// A sub name is a catalogue row's key and what the user types: the rows may
// be edited freely, but each name must stay typeable and unique even ignoring
// case (the combo box completes and finds names without regard to case).
#include "catalogue/ShipCatalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

TEST(ShipCatalogue, SubNamesAreTypeableAndDistinctIgnoringCase) {
    std::set<std::string> seen;
    for (const ShipCatalogueRow& row : g_shipCatalogue) {
        ASSERT_TRUE(row.race && row.shipClass && row.subName);
        std::string name = row.subName;
        EXPECT_TRUE(!name.empty() && name.front() != ' ' && name.back() != ' ') << '"' << name << '"';
        for (char& c : name) {
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || std::string(" '+-.").find(c) != std::string::npos)
                << '"' << row.subName << '"';
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(seen.insert(name).second) << '"' << row.subName << '"';
    }
}
