// The catalogue's rows may be edited freely, but a sub name is a row's key and
// what the user types: it must stay typeable and unique even ignoring case.
#include "catalogue/ShipCatalogue.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <string_view>

namespace {

TEST(ShipCatalogue, SubNamesAreTypeableAndDistinctIgnoringCase) {
    std::set<std::string> seen;
    for (const ShipCatalogueRow& row : g_shipCatalogue) {
        ASSERT_TRUE(row.race && row.shipClass && row.subName);
        std::string name = row.subName;
        EXPECT_TRUE(!name.empty() && name.front() != ' ' && name.back() != ' ') << '"' << name << '"';
        for (char& c : name) {
            EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || std::string_view(" '+-.").find(c) != std::string_view::npos)
                << '"' << row.subName << '"';
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        EXPECT_TRUE(seen.insert(name).second) << '"' << row.subName << '"';
    }
}

}  // namespace
