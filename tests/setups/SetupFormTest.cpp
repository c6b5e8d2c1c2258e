// The form the setup dialog edits, as a plain value: how it comes from the
// game's settings and goes back into them.
#include "setups/SetupForm.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The four boxes as "vs player, vs AI, player select, host select", e.g. "1010".
std::string Boxes(const CSetupForm& form) {
    return std::to_string(form.m_bPlayerVsPlayer) + std::to_string(form.m_bPlayerVsAI) +
           std::to_string(form.m_bPlayerSelectShips) + std::to_string(form.m_bHostSelectShips);
}

CMissionSettings Mission(std::int32_t team, std::int32_t playerShips) {
    CMissionSettings settings;
    for (int bit = 0; bit < 4; ++bit) {
        if (team & (1 << bit)) settings.SetTeamSetting(bit);
        if (playerShips & (1 << bit)) settings.SetPlayerShipSetting(bit);
    }
    return settings;
}

// Start-up shows the game's mode, the first box of a pair winning; "Select"
// rebuilds both words from the boxes, clearing bits left by earlier clicks.
TEST(SetupFormTest, TheGamesModeBecomesBoxesAndTheBoxesBecomeTheMode) {
    const struct {
        std::int32_t team, playerShips;
        const char* boxes;
        std::int32_t teamBack, playerShipsBack;
    } cases[] = {{1, 4, "1010", 1, 4}, {2, 8, "0101", 2, 8}, {1, 8, "1001", 1, 8}, {2, 4, "0110", 2, 4},
                 {3, 12, "1010", 1, 4}, {0, 0, "0000", 0, 0}, {0, 8, "0001", 0, 8}, {2, 0, "0100", 2, 0},
                 {15, 3, "1000", 1, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.team) + "/" + std::to_string(c.playerShips));
        CMissionSettings settings = Mission(c.team, c.playerShips);
        settings.m_strSetup = "Duel";
        settings.m_strShips[1] = "\"Kestrel\"";
        settings.m_strShips[14] = "Dart";
        const CSetupForm form = CSetupForm::FromMission(settings);
        EXPECT_EQ(Boxes(form), c.boxes);
        EXPECT_EQ(form.m_strSetupTitle + form.m_strShip1 + form.m_strShip14, "Duel\"Kestrel\"Dart");
        CMissionSettings applied = Mission(3, 12);
        form.ApplyTo(applied);
        EXPECT_EQ(applied.GetTeamSettings(), c.teamBack);
        EXPECT_EQ(applied.GetPlayerShipSettings(), c.playerShipsBack);
        EXPECT_EQ(applied.m_strSetup + applied.m_strShips[1] + applied.m_strShips[14], "Duel\"Kestrel\"Dart");
    }
}

TEST(SetupFormTest, AClickTicksItsBoxClearsThePartnerAndOnlyAddsItsBit) {
    CSetupForm form;
    CMissionSettings settings;
    for (const ModeBox& box : kModeBoxes) TickModeBox(form, box, settings);
    EXPECT_EQ(Boxes(form), "0101");
    EXPECT_EQ(settings.GetTeamSettings(), 3);
    EXPECT_EQ(settings.GetPlayerShipSettings(), 12);
    TickModeBox(form, kModeBoxes[0], settings);
    EXPECT_EQ(Boxes(form), "1001");
}

}  // namespace
