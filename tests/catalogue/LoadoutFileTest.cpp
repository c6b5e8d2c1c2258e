// The game's loadout tables: which ships a table gives, and that no file,
// however bad, gives more than bounded names or stops the program.
#include "catalogue/LoadoutFile.h"
#include "catalogue/TabTable.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace catalogue {
namespace {

namespace fs = std::filesystem;

// "sub|race|class" for each ship, so a table's expectation fits on a line.
std::vector<std::string> Rows(const LoadoutTable& table) {
    std::vector<std::string> rows;
    for (const LoadoutShip& ship : table.ships) rows.push_back(ship.subName + "|" + ship.race + "|" + ship.shipClass);
    return rows;
}

struct TableCase {
    const char* what;
    LoadoutKind kind;
    std::string text;
    bool header;
    std::vector<std::string> ships;
};

const LoadoutKind D = LoadoutKind::Default;
const LoadoutKind C = LoadoutKind::Custom;

TEST(LoadoutFile, TablesGiveTheShipsOfTheirSubNameColumn) {
    const std::string longName(kMaxNameBytes + 1, 'x');
    const TableCase cases[] = {
        {"header found ignoring case and blanks, rows above it skipped, CRLF", D,
         "Voidwake loadout\r\nRace\tClass\t  subname \tGuns\r\nConcord\tCON-Scout\tNight Heron\t4\r\n", true,
         {"Night Heron|Concord|CON-Scout"}},
        {"columns in any order; LF, lone CR and blank lines", D,
         "SubName\tGuns\tClass\tRace\n\nWasp\t2\tSkr-Fighter\tSkrell\rHornet\t3\n\n", true,
         {"Wasp|Skrell|Skr-Fighter", "Hornet||"}},
        {"no race or class column", D, "ID\tSubName\n1\tDart\n", true, {"Dart||"}},
        {"short rows, empty and over-long names skipped; names trimmed", D,
         "Race\tSubName\nOnly\nA\t\nB\t   \nC\t" + longName + "\nD\t  Blade  \n", true, {"Blade|D|"}},
        {"quoted cells hold tabs, line breaks and doubled quotes", D,
         "Note\tSubName\tRace\n\"a\tb\"\tMoth\t\"Con\ncord\"\n\"x\"\"\"\t\"The \"\"Wasp\"\"\"\tVex\n", true,
         {"Moth||", "The \"Wasp\"|Vex|"}},
        {"an unclosed quote runs to the end", D, "SubName\n\"Gnat\nMite\n", true, {}},
        {"a UTF-8 byte order mark before the header", D, "\xEF\xBB\xBFSubName\nFly\n", true, {"Fly||"}},
        {"default table without a header gives nothing", D, "Concord\tCON-Scout\tNight Heron\n", false, {}},
        {"custom table without a header: the third column", C,
         "Concord\tCON-Scout\tNight Heron\tx\nTwo\tcells\n\t\t Owl \n", false, {"Night Heron||", "Owl||"}},
        {"custom table with a header: its column, rows above dropped", C,
         "a\tb\tAbove\nSubName\tRace\tClass\nKite\tTrade\tFreighter\n", true, {"Kite|Trade|Freighter"}},
        {"a later header starts a new layout", D, "SubName\tRace\nA1\tR\nRace\tSubName\nR\tB1\n", true,
         {"A1|R|", "B1|R|"}},
        {"a header cell past the cell cap is not seen", D,
         std::string(TabTableReader::kMaxCells, '\t') + "SubName\n" + std::string(TabTableReader::kMaxCells, '\t') + "Far\n",
         false, {}},
    };
    for (const TableCase& c : cases) {
        const LoadoutTable table = ParseLoadout(c.text, c.kind);
        EXPECT_EQ(table.status, LoadoutStatus::Read) << c.what;
        EXPECT_EQ(table.headerFound, c.header) << c.what;
        EXPECT_EQ(Rows(table), c.ships) << c.what;
    }
}

// That any bytes give only usable names is the loadout fuzz target's; here, the caps.
TEST(LoadoutFile, BinaryGivesNothingAndRowsCellsAndShipsAreCapped) {
    EXPECT_EQ(ParseLoadout(std::string("SubName\nA\0B\n", 12), D).status, LoadoutStatus::NotText);
    EXPECT_TRUE(ParseLoadout(std::string("S\0u\0b\0N\0a\0m\0e\0", 14), C).ships.empty());  // UTF-16
    const std::string wide = std::string(100000, 'x') + std::string(1000, '\t');
    TabTableReader reader(wide);
    ASSERT_TRUE(reader.NextRow());
    EXPECT_EQ(reader.Cells().size(), TabTableReader::kMaxCells);
    EXPECT_EQ(reader.Cells()[0].size(), TabTableReader::kMaxCellBytes + 1);

    std::string many = "SubName\n";
    for (std::size_t i = 0; i <= kMaxLoadoutShips; ++i) many += "s\n";
    EXPECT_EQ(ParseLoadout(many, D).ships.size(), kMaxLoadoutShips);
}

// Reading both files of a game folder is the setup dialog's test (ShipCheckTest).
TEST(LoadoutFile, GameFolderFilesAreFoundAndBadOnesOnlyGiveFewerNames) {
    EXPECT_EQ(LoadoutPath("D:\\Games\\Voidwake\\", C), "D:\\Games\\Voidwake\\Assets\\Specs\\CustomLoadOut.txt");
    const TempFolder dir("skm-loadout-");
    const std::string install = dir.path.string() + "/";
    const GameLoadouts none = ReadGameLoadouts(install);
    EXPECT_TRUE(none.defaults.status == LoadoutStatus::Missing && none.custom.status == LoadoutStatus::Missing);
    // On Windows the backslashes make folders; elsewhere they are part of the name.
    const fs::path path = LoadoutPath(install, C);
    fs::create_directories(path.parent_path());
    WriteFileBytes(path, "a\tb\tOwl\n" + std::string(kMaxLoadoutBytes, '\n'));
    const LoadoutTable huge = ReadLoadout(path.string(), C);
    EXPECT_TRUE(huge.status == LoadoutStatus::Unreadable && huge.error != 0 && huge.ships.empty());
}

}  // namespace
}  // namespace catalogue
