#pragma once
// Saved setups of the kind hosts keep, generated with a fixed seed so that
// every run measures the same data: titles of about 25 characters, ship names
// of 3 to 25 characters with a quarter of the places empty, a comment in three
// setups of five.
#include "setups/SetupStore.h"

#include <cstdint>
#include <string>

namespace bench {

// Deterministic numbers.
class Lcg {
public:
    std::uint32_t Next(std::uint32_t bound) {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<std::uint32_t>(m_state >> 33) % bound;
    }
private:
    std::uint64_t m_state = 42;
};

// Sub names of the game's length range (3 to 29 characters).
inline const char* const kShips[] = {
    "Raider",          "Lancer Mk II",      "Heavy Cruiser",  "Ion Frigate",        "Assault Corvette",
    "Carrier",         "Drone Platform",    "Scout",          "Missile Destroyer",  "Support Frigate",
    "Dreadnought",     "Gunship",           "Mining Barge",   "Research Station",   "Multi-Beam Frigate",
    "Hvy. Corvette",   "Defender",          "Salvage Corvette", "Proximity Sensor", "Sentinel Defense Platform",
};
inline const char* const kComments[] = {
    "",
    "",
    "Quick match for two players.",
    "AI holds the gate; players start at the north rim.\r\nNo carriers for the host.",
    "Team practice: everyone picks, AI gets heavy ships.",
};

inline CSetupStore MakeStore(int count) {
    Lcg random;
    CSetupStore store;
    for (int i = 0; i < count; ++i) {
        const std::string title = "Skirmish " + std::to_string(i) + " " + kShips[random.Next(20)];
        CSetupForm form;
        for (const ShipPlace& place : kShipPlaces)
            if (random.Next(4) != 0) form.*place.member = kShips[random.Next(20)];  // some places stay empty
        const bool host = random.Next(2) != 0;
        const bool versusAI = random.Next(2) != 0;
        form.m_bHostSelectShips = host;
        form.m_bPlayerSelectShips = !host;
        form.m_bPlayerVsAI = versusAI;
        form.m_bPlayerVsPlayer = !versusAI;
        form.m_strComments = kComments[random.Next(5)];
        store.Fill(title, form);
    }
    return store;
}

}  // namespace bench
