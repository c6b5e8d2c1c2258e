#include "ui/ShipCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <map>
#include <set>
#include <string>
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

bool IsSubNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '\'' || c == '+' ||
           c == '-' || c == '.';
}

// A class is either an upper-case race prefix, a hyphen and a hull or
// installation type, or one plain word for an object that is not a ship.
bool IsClassForm(const std::string& text) {
    auto isAlpha = [](unsigned char c) { return std::isalpha(c) != 0; };
    const auto hyphen = text.find('-');
    if (hyphen == std::string::npos) return std::all_of(text.begin(), text.end(), isAlpha);
    const std::string prefix = text.substr(0, hyphen);
    const std::string type = text.substr(hyphen + 1);
    return prefix.size() >= 2 && prefix.size() <= 4 &&
           std::all_of(prefix.begin(), prefix.end(), [](unsigned char c) { return std::isupper(c) != 0; }) &&
           !type.empty() && isAlpha(type.front()) && isAlpha(type.back()) &&
           std::all_of(type.begin(), type.end(), [&](unsigned char c) { return isAlpha(c) || c == ' '; });
}

TEST(ShipCatalogue, EveryRowHasAllThreeTexts) {
    ASSERT_EQ(std::size(g_shipCatalogue), 300u);
    for (const ShipCatalogueRow& row : g_shipCatalogue) {
        ASSERT_NE(row.race, nullptr);
        ASSERT_NE(row.shipClass, nullptr);
        ASSERT_NE(row.subName, nullptr);
    }
}

TEST(ShipCatalogue, TextLengthsStayWithinTheirColumnLimits) {
    struct Limit {
        const char* column;
        const char* ShipCatalogueRow::*field;
        std::size_t shortest;
        std::size_t longest;
    };
    const Limit limits[] = {
        {"race", &ShipCatalogueRow::race, 4, 10},
        {"class", &ShipCatalogueRow::shipClass, 6, 24},
        {"sub name", &ShipCatalogueRow::subName, 3, 29},
    };
    for (const Limit& limit : limits) {
        for (const std::string& value : Column(limit.field)) {
            EXPECT_GE(value.size(), limit.shortest) << limit.column << " \"" << value << '"';
            EXPECT_LE(value.size(), limit.longest) << limit.column << " \"" << value << '"';
        }
    }
}

TEST(ShipCatalogue, EightRacesWithTheirRowCounts) {
    std::map<std::string, int> rowsPerRace;
    for (const std::string& race : Column(&ShipCatalogueRow::race)) ++rowsPerRace[race];
    std::vector<int> counts;
    for (const auto& [race, count] : rowsPerRace) counts.push_back(count);
    std::sort(counts.begin(), counts.end(), std::greater<>());
    EXPECT_EQ(counts, (std::vector<int>{76, 67, 64, 50, 26, 11, 4, 2}));
}

TEST(ShipCatalogue, EachRaceIsOneRunOfRows) {
    std::set<std::string> earlierRaces;
    std::string current;
    for (const std::string& race : Column(&ShipCatalogueRow::race)) {
        if (race == current) continue;
        earlierRaces.insert(current);
        EXPECT_EQ(earlierRaces.count(race), 0u) << "race \"" << race << "\" split";
        current = race;
    }
}

TEST(ShipCatalogue, NinetyClassesMostlyRacePrefixedHullTypes) {
    const std::set<std::string> classes = [] {
        const auto column = Column(&ShipCatalogueRow::shipClass);
        return std::set<std::string>(column.begin(), column.end());
    }();
    EXPECT_EQ(classes.size(), 90u);
    std::size_t singleWords = 0;
    for (const std::string& shipClass : classes) {
        EXPECT_TRUE(IsClassForm(shipClass)) << '"' << shipClass << '"';
        if (shipClass.find('-') == std::string::npos) ++singleWords;
    }
    EXPECT_GT(singleWords, 0u);
    EXPECT_LT(singleWords, classes.size() / 4);
}

TEST(ShipCatalogue, SubNamesAreDistinctIgnoringCase) {
    std::set<std::string> seen;
    for (const std::string& subName : Column(&ShipCatalogueRow::subName))
        EXPECT_TRUE(seen.insert(Lower(subName)).second) << '"' << subName << '"';
    EXPECT_EQ(seen.size(), 300u);
}

TEST(ShipCatalogue, SubNamesUseOnlyTypeableCharactersAndSingleInnerBlanks) {
    for (const std::string& subName : Column(&ShipCatalogueRow::subName)) {
        EXPECT_TRUE(std::all_of(subName.begin(), subName.end(), IsSubNameChar)) << '"' << subName << '"';
        EXPECT_NE(subName.front(), ' ') << '"' << subName << '"';
        EXPECT_NE(subName.back(), ' ') << '"' << subName << '"';
        EXPECT_EQ(subName.find("  "), std::string::npos) << '"' << subName << '"';
    }
}

TEST(ShipCatalogue, SeventyOneSubNamesBeginALongerOne) {
    std::vector<std::string> names;
    for (const std::string& subName : Column(&ShipCatalogueRow::subName)) names.push_back(Lower(subName));
    std::sort(names.begin(), names.end());
    // In sorted order every name that some longer name begins with is
    // directly followed by such a name.
    int prefixes = 0;
    for (std::size_t i = 0; i + 1 < names.size(); ++i)
        if (names[i + 1].size() > names[i].size() && names[i + 1].compare(0, names[i].size(), names[i]) == 0)
            ++prefixes;
    EXPECT_EQ(prefixes, 71);
}

TEST(ShipCatalogue, HoldsTheShipsTheHelpTextsName) {
    const auto subNames = Column(&ShipCatalogueRow::subName);
    for (const char* named : {"Kestrel", "Starbase"})
        EXPECT_EQ(std::count(subNames.begin(), subNames.end(), named), 1) << named;
}

}  // namespace
