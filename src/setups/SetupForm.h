#pragma once
// CSetupForm: the setup that the setup dialog edits (its title display,
// fourteen ships, four mode boxes and comment) as a plain value, with the rules
// that move it into and out of the mission settings. The dialog and the saved
// setup record hold these fields under the same names, so one table of ship
// places and one of mode boxes serve all three.
#include "gameconfig/MissionSettings.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class CSetupForm {
public:
    std::string m_strShip1;
    std::string m_strShip2;
    std::string m_strShip3;
    std::string m_strShip4;
    std::string m_strShip5;
    std::string m_strShip6;
    std::string m_strShip7;
    std::string m_strShip8;
    std::string m_strShip9;
    std::string m_strShip10;
    std::string m_strShip11;
    std::string m_strShip12;
    std::string m_strShip13;
    std::string m_strShip14;
    std::string m_strSetupTitle;
    // 0 clear, 1 ticked; other values read from a data file are kept.
    std::int32_t m_bHostSelectShips = 0;
    std::int32_t m_bPlayerSelectShips = 0;
    std::int32_t m_bPlayerVsAI = 0;
    std::int32_t m_bPlayerVsPlayer = 0;
    std::string m_strComments;

    bool operator==(const CSetupForm&) const = default;

    // The title, ships and mode that the game's settings hold, as start-up shows
    // them: where both boxes of a pair are set, the first of the pair wins.
    static CSetupForm FromMission(const CMissionSettings& settings);
    // "Select": both words rebuilt from the boxes, the title and ships copied.
    void ApplyTo(CMissionSettings& settings) const;
    // Each pair has a box ticked, so both words that "Select" writes are set.
    bool HasCompleteMode() const;
    // The empty form after "Save" and "Delete", under the title last applied to the game.
    static CSetupForm Cleared(const std::string& appliedTitle);

    // The text that hands the setup to other players: a comment line naming
    // it, then the section as "Select" writes it, which a player can paste
    // into the program or into the game's scripts.ini.
    std::string SharedText() const;
    // Takes the title, ships and boxes from a shared text, read as the game's
    // settings file is but with values whole, as the form holds them; the
    // comment stays. On a problem the form is unchanged.
    enum class SharedTextProblem { None, TooLarge, NoSection, UnplayableMode };
    SharedTextProblem ReadSharedText(std::string_view text);
    // Larger texts are refused unread: a setup's text is a few hundred bytes.
    static constexpr std::size_t kMaxSharedTextBytes = 64 * 1024;
};

// One of the fourteen ship places: A1-A8 are ships 1-8, P1-P6 ships 9-14.
struct ShipPlace {
    const char* label;
    int controlId;
    std::string CSetupForm::*member;
};

// Ship N is place N-1; 1006 is the setup list, so A7 and A8 are 1007 and 1008.
extern const std::array<ShipPlace, CMissionSettings::kShipCount> kShipPlaces;
// The player places P1-P6, which the ship-choice boxes enable and disable.
inline constexpr std::size_t kFirstPlayerPlace = 8;

// What ticking a mode box does to the player ship places P1-P6.
enum class PlayerShips { Unchanged, Enabled, Disabled };

// One of the four mode boxes: the two pairs exclude each other's partner.
struct ModeBox {
    int controlId;
    std::int32_t CSetupForm::*member;
    std::int32_t CSetupForm::*partner;
    void (CMissionSettings::*setBit)(int);
    int bit;
    PlayerShips playerShips;
};

// In the order start-up replays them: "Player vs Player", "Player vs AI",
// "Player Select Ships", "Host Select Ships".
extern const std::array<ModeBox, 4> kModeBoxes;

// A click on a mode box: it stays ticked, its partner is cleared, and its bit
// is added to the settings (the partner's bit stays until "Select" rebuilds them).
void TickModeBox(CSetupForm& form, const ModeBox& box, CMissionSettings& settings);
