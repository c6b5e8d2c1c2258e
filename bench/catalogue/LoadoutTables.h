#pragma once
// A game folder's two loadout tables of 5,000 generated ships each: a default
// table with a header of twelve columns, and a custom one without a header
// (its sub names in the third column), as the game's folder holds them. Every
// 50th custom ship repeats a catalogue row, which the known ships must skip.
#include "catalogue/LoadoutFile.h"
#include "catalogue/ShipCatalogue.h"

#include <filesystem>
#include <fstream>
#include <string>

inline constexpr int kShipsPerTable = 5000;
inline const char* const kLoadoutRaces[] = {"Concord", "Skrell", "Tarrakai", "Orrun", "Free Traders"};
inline const char* const kLoadoutHulls[] = {"Raider", "Lancer", "Corvette", "Frigate", "Hauler", "Station", "Gunship", "Barge"};

// A generated ship name of the game's kind, 8 to 24 bytes.
inline std::string LoadoutShipName(int table, int i) {
    if (table && i % 50 == 0) return g_shipCatalogue[(i / 50) % kShipCatalogueSize].subName;
    return std::string(kLoadoutHulls[i % 8]) + (table ? " Mk " : " ") + std::to_string(i) + (i % 3 ? "" : " Prime");
}

// Writes both tables under the install folder `install` (ending in a
// separator); answers their size in bytes.
inline std::size_t WriteLoadoutTables(const std::string& install) {
    std::size_t bytes = 0;
    for (const catalogue::LoadoutKind kind : {catalogue::LoadoutKind::Default, catalogue::LoadoutKind::Custom}) {
        const int table = kind == catalogue::LoadoutKind::Custom;
        std::string text = table ? "" : "Race\tClass\tSubName\tHull\tShields\tSpeed\tWeapon1\tWeapon2\tWeapon3\tCrew\tCost\tNotes\r\n";
        for (int i = 0; i < kShipsPerTable; ++i) {
            const std::string race = kLoadoutRaces[i % 5];
            text += race + "\t" + race.substr(0, 3) + "-" + kLoadoutHulls[i % 8] + "\t" + LoadoutShipName(table, i) +
                    "\t1200\t800\t95\tPulse Laser\tIon Cannon\t\"Missile, \"\"Mk II\"\"\"\t45\t" +
                    std::to_string(1000 + i) + "\tgenerated\r\n";
        }
        const std::filesystem::path path = catalogue::LoadoutPath(install, kind);
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        bytes += text.size();
    }
    return bytes;
}
