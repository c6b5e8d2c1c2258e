// The form the setup dialog edits, as a plain value: how it comes from the
// game's settings, goes back into them, and into and out of a saved setup.
#include "setups/SkirmakerData.h"

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

TEST(SetupFormTest, StartUpShowsTheGamesModeWithTheFirstBoxOfAPairWinning) {
    const struct {
        std::int32_t team, playerShips;
        const char* boxes;
    } cases[] = {{1, 4, "1010"}, {2, 8, "0101"}, {1, 8, "1001"}, {2, 4, "0110"}, {3, 12, "1010"},
                 {0, 0, "0000"}, {0, 8, "0001"}, {2, 0, "0100"}, {15, 3, "1000"}};
    for (const auto& c : cases) {
        CMissionSettings settings = Mission(c.team, c.playerShips);
        settings.m_strSetup = "Duel";
        settings.m_strShips[1] = "\"Kestrel\"";
        settings.m_strShips[14] = "Dart";
        const CSetupForm form = CSetupForm::FromMission(settings);
        EXPECT_EQ(Boxes(form), c.boxes) << c.team << "/" << c.playerShips;
        EXPECT_EQ(form.m_strSetupTitle + form.m_strShip1 + form.m_strShip14, "Duel\"Kestrel\"Dart");
    }
}

TEST(SetupFormTest, SelectRebuildsBothWordsFromTheBoxes) {
    const struct {
        const char* boxes;
        std::int32_t team, playerShips;
    } cases[] = {{"0101", 2, 8}, {"1010", 1, 4}, {"1001", 1, 8}, {"0110", 2, 4}, {"0000", 0, 0}, {"0100", 2, 0}};
    for (const auto& c : cases) {
        CSetupForm form;
        form.m_bPlayerVsPlayer = c.boxes[0] - '0';
        form.m_bPlayerVsAI = c.boxes[1] - '0';
        form.m_bPlayerSelectShips = c.boxes[2] - '0';
        form.m_bHostSelectShips = c.boxes[3] - '0';
        form.m_strSetupTitle = "Title";
        form.m_strShip9 = "P1 ship";
        CMissionSettings settings = Mission(3, 12);  // bits left by clicks before are cleared first
        form.ApplyTo(settings);
        EXPECT_EQ(settings.GetTeamSettings(), c.team) << c.boxes;
        EXPECT_EQ(settings.GetPlayerShipSettings(), c.playerShips) << c.boxes;
        EXPECT_EQ(settings.m_strSetup + settings.m_strShips[9], "TitleP1 ship");
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

TEST(SetupFormTest, ASavedSetupKeepsTheFormUnderItsTitleAndGivesItBack) {
    CSetupForm form;
    form.m_strSetupTitle = "shown before";
    form.m_strShip8 = "A8 ship";
    form.m_bPlayerVsAI = 1;
    form.m_strComments = "two\r\nlines";
    CSkirmakerData record;
    record.Fill("Wolf Pack", form);
    EXPECT_EQ(record.m_strTitle + "|" + record.m_strSetupTitle, "Wolf Pack|Wolf Pack");
    const CSetupForm& back = record;
    EXPECT_EQ(back.m_strShip8 + back.m_strComments + Boxes(back), "A8 shiptwo\r\nlines0100");
    const CSetupForm cleared = CSetupForm::Cleared("Applied");
    EXPECT_EQ(cleared.m_strSetupTitle + cleared.m_strShip8 + cleared.m_strComments + Boxes(cleared), "Applied0000");
}

}  // namespace
