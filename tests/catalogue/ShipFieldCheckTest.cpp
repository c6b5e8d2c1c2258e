// The known ships and the catalogue list they make, and the check of a ship
// field against them: what is fine, why the rest is flagged, and what text
// would work instead.
#include "catalogue/ShipCatalogue.h"
#include "catalogue/ShipFieldCheck.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace catalogue {
namespace {

LoadoutTable Table(std::vector<LoadoutShip> ships) { return {LoadoutStatus::Read, 0, true, std::move(ships)}; }

// A default table with a new ship, one of the rows' names, a repeat and a
// case variant of a row's name; a custom table repeating the default one.
const GameLoadouts kLoadouts{
    Table({{"Night Heron", "Concord", "CON-Scout"}, {"Kestrel", "X", "Y"}, {"Night Heron", "", ""},
           {"KESTREL", "", ""}, {"Foo  Bar", "", ""}}),
    Table({{"Owl", "", ""}, {"Night Heron", "", ""}}),
};
const KnownShips kRows;
const KnownShips kWithLoadouts(kLoadouts);

std::string Line(const CatalogueEntry& e) {
    const char* sources[] = {"rows", "default", "custom"};
    return e.race + "|" + e.shipClass + "|" + e.subName + "|" + sources[static_cast<int>(e.source)];
}

TEST(KnownShips, CatalogueListIsTheRowsThenNewLoadoutShipsInOrder) {
    ASSERT_EQ(kRows.Size(), kShipCatalogueSize);
    for (std::size_t i = 0; i < kShipCatalogueSize; ++i)
        EXPECT_EQ(Line(kWithLoadouts.Entries()[i]), Line(kRows.Entries()[i]));
    std::vector<std::string> added;
    for (std::size_t i = kShipCatalogueSize; i < kWithLoadouts.Size(); ++i) added.push_back(Line(kWithLoadouts.Entries()[i]));
    EXPECT_EQ(added, (std::vector<std::string>{"Concord|CON-Scout|Night Heron|default", "||KESTREL|default",
                                               "||Foo  Bar|default", "||Owl|custom"}));
}

TEST(ShipFieldCheck, FlagsWhyAFieldMissesAKnownNameAndWhatWouldWork) {
    const struct {
        const KnownShips& known;
        std::string text;
        unsigned issues;
        std::string suggestion;  // "-" for none
    } cases[] = {
        {kRows, "", 0, "-"},
        {kRows, "\"Warden's Reach\"", 0, "-"},
        {kRows, "Kestrel", kMissingQuotes, "\"Kestrel\""},
        {kRows, "\"Kestrel", kMissingQuotes, "\"Kestrel\""},
        {kRows, "Kestrel II\"", kMissingQuotes, "\"Kestrel II\""},
        {kRows, "\"KESTREL\"", kWrongCase, "\"Kestrel\""},
        {kRows, "\"  Kestrel  \"", kExtraBlanks, "\"Kestrel\""},
        {kRows, " \"Kestrel\"\t", kExtraBlanks, "\"Kestrel\""},
        {kRows, "\"Kestrel  II\"", kExtraBlanks, "\"Kestrel II\""},
        {kRows, "kestrel ", kMissingQuotes | kWrongCase | kExtraBlanks, "\"Kestrel\""},
        {kRows, "''Kestrel''", kWrongQuotes, "\"Kestrel\""},
        {kRows, "\x93kestrel\x94", kWrongQuotes | kWrongCase, "\"Kestrel\""},
        {kRows, "\"\"", kNoName, ""},
        {kRows, "  ", kNoName, ""},
        {kRows, "\"", kNoName, ""},
        // Unknown names: the nearest known one within the bound, ties to the first listed.
        {kRows, "\"Kestrle\"", kUnknownShip, "\"Kestrel\""},
        {kRows, "kastrell", kMissingQuotes | kUnknownShip, "\"Kestrel\""},
        {kRows, "\"Txrn\"", kUnknownShip, "\"Tern\""},
        {kRows, "\"Txrx\"", kUnknownShip, "-"},
        {kRows, "\"Sxaxe\"", kUnknownShip, "-"},
        {kRows, "\"Zxnxth\"", kUnknownShip, "\"Zenith\""},
        {kRows, "\"Cargo Hauler 3\"", kUnknownShip, "\"Cargo Hauler 1\""},
        {kRows, "\"Orrun Trader 4\"", kUnknownShip, "\"Orrun Trader 2\""},
        {kRows, "\"Owl\"", kUnknownShip, "-"},
        {kRows, std::string(300, 'k'), kMissingQuotes | kUnknownShip, "-"},
        // Loadout ships, exactly as the game names them.
        {kWithLoadouts, "\"Owl\"", 0, "-"},
        {kWithLoadouts, "\"Night heron\"", kWrongCase, "\"Night Heron\""},
        {kWithLoadouts, "\"KESTREL\"", 0, "-"},
        {kWithLoadouts, "\"kestrel\"", kWrongCase, "\"Kestrel\""},
        {kWithLoadouts, "\"Foo  Bar\"", 0, "-"},
        {kWithLoadouts, "Foo  Bar", kMissingQuotes, "\"Foo  Bar\""},
    };
    for (const auto& c : cases) {
        const ShipFieldCheck check = CheckShipField(c.text, c.known);
        EXPECT_EQ(check.issues, c.issues) << '[' << c.text << ']';
        EXPECT_EQ(check.hasSuggestion ? check.suggestion : "-", c.suggestion) << '[' << c.text << ']';
    }
}

// The indexed search against trying every known name by the textbook table,
// on random typos of known names.
TEST(ShipFieldCheck, NearestNameSearchFindsWhatTryingEveryNameFinds) {
    auto distance = [](const std::string& a, const std::string& b) {
        std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
        for (std::size_t i = 0; i <= a.size(); ++i)
            for (std::size_t j = 0; j <= b.size(); ++j) {
                d[i][j] = i == 0 || j == 0 ? i + j : std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
                if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        return d[a.size()][b.size()];
    };
    std::mt19937 random(11);
    const std::string letters = "abcdefghijklmnopqrstuvwxyz '-2";
    for (int round = 0; round < 1000; ++round) {
        std::string name = ToLowerAscii(kRows.Entries()[random() % kRows.Size()].subName);
        for (unsigned edits = random() % 4; edits > 0 && !name.empty(); --edits) {
            const std::size_t at = random() % name.size();
            const char letter = letters[random() % letters.size()];
            switch (random() % 4) {
                case 0: name.erase(at, 1); break;
                case 1: name.insert(at, 1, letter); break;
                case 2: name[at] = letter; break;
                default: if (at + 1 < name.size()) std::swap(name[at], name[at + 1]);
            }
        }
        std::size_t best = KnownShips::NearBound(name.size()) + 1;
        std::string expected = "-";
        for (const CatalogueEntry& entry : kRows.Entries())
            if (const std::size_t d = distance(name, ToLowerAscii(entry.subName)); d < best) best = d, expected = entry.subName;
        const std::string* found = kRows.FindNearest(name);
        ASSERT_EQ(found ? *found : "-", expected) << '[' << name << ']';
    }
}

TEST(ShipFieldCheck, TooltipTextsNameEveryReasonAndTheTextThatWorks) {
    const std::pair<std::string, std::string> cases[] = {
        {"\"Kestrel\"", ""},
        {"Kestrel", "Missing quotes. The game needs \"Kestrel\"."},
        {"kestrel ", "Missing quotes, wrong case and extra blanks. The game needs \"Kestrel\"."},
        {"Kestrell", "\"Kestrell\" is not a known ship. Did you mean \"Kestrel\"?"},
        {std::string(50, 'q'), '"' + std::string(37, 'q') + "...\" is not a known ship. The catalogue lists the known sub names."},
        {"\"\"", "No ship name, only quotes or blanks. Leave the field empty for no ship."},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(DescribeShipField(CheckShipField(text, kRows)), expected) << '[' << text << ']';
}

}  // namespace
}  // namespace catalogue
