#include "ui/ShipCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::vector<std::string> Column(const char* ShipCatalogueRow::*field) {
    std::vector<std::string> values;
    for (const ShipCatalogueRow& row : g_shipCatalogue) values.emplace_back(row.*field);
    return values;
}

TEST(ShipCatalogue, EveryTextIsThereAndWithinItsColumnLimits) {
    ASSERT_EQ(std::size(g_shipCatalogue), 300u);
    for (const ShipCatalogueRow& row : g_shipCatalogue)
        ASSERT_TRUE(row.race && row.shipClass && row.subName);
    const struct {
        const char* ShipCatalogueRow::*field;
        std::size_t shortest, longest, distinct;
    } limits[] = {{&ShipCatalogueRow::race, 4, 10, 8}, {&ShipCatalogueRow::shipClass, 6, 24, 90},
                  {&ShipCatalogueRow::subName, 3, 29, 300}};
    for (const auto& limit : limits) {
        const std::vector<std::string> column = Column(limit.field);
        for (const std::string& value : column)
            EXPECT_TRUE(value.size() >= limit.shortest && value.size() <= limit.longest) << '"' << value << '"';
        EXPECT_EQ(std::set<std::string>(column.begin(), column.end()).size(), limit.distinct) << column.front();
    }
}

TEST(ShipCatalogue, RacesHaveTheirRowCounts) {
    std::map<std::string, int> rowsPerRace;
    for (const std::string& race : Column(&ShipCatalogueRow::race)) ++rowsPerRace[race];
    std::vector<int> counts;
    for (const auto& [race, count] : rowsPerRace) counts.push_back(count);
    std::sort(counts.begin(), counts.end(), std::greater<>());
    EXPECT_EQ(counts, (std::vector<int>{76, 67, 64, 50, 26, 11, 4, 2}));
}

TEST(ShipCatalogue, SubNamesAreTypeableAndDistinctIgnoringCase) {
    auto allowed = [](unsigned char c) {
        return std::isalnum(c) || std::string_view(" '+-.").find(static_cast<char>(c)) != std::string_view::npos;
    };
    const std::vector<std::string> subNames = Column(&ShipCatalogueRow::subName);
    std::set<std::string> seen;
    for (const std::string& subName : subNames) {
        EXPECT_TRUE(std::all_of(subName.begin(), subName.end(), allowed)) << '"' << subName << '"';
        EXPECT_TRUE(subName.front() != ' ' && subName.back() != ' ' && subName.find("  ") == std::string::npos)
            << '"' << subName << '"';
        EXPECT_TRUE(seen.insert(Lower(subName)).second) << '"' << subName << '"';
    }
    for (const char* named : {"Kestrel", "Starbase"})
        EXPECT_EQ(std::count(subNames.begin(), subNames.end(), named), 1) << named;
}

TEST(ShipCatalogue, SeventyOneSubNamesBeginALongerOne) {
    std::vector<std::string> names;
    for (const std::string& subName : Column(&ShipCatalogueRow::subName)) names.push_back(Lower(subName));
    std::sort(names.begin(), names.end());
    // In sorted order a name that begins a longer one is directly followed by such a name.
    int prefixes = 0;
    for (std::size_t i = 0; i + 1 < names.size(); ++i)
        prefixes += names[i + 1].size() > names[i].size() && names[i + 1].starts_with(names[i]);
    EXPECT_EQ(prefixes, 71);
}

}  // namespace
