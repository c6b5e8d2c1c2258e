// The form the setup dialog edits: to and from the game's settings, and the
// text that hands it to other players.
#include "setups/SetupForm.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Title, ships 1 and 14, and the boxes "vs player, vs AI, player select, host select".
std::string Describe(const CSetupForm& form) {
    return form.m_strSetupTitle + "|" + form.m_strShip1 + "|" + form.m_strShip14 + "|" +
           std::to_string(form.m_bPlayerVsPlayer) + std::to_string(form.m_bPlayerVsAI) +
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

CSetupForm Duel() {
    CSetupForm form;
    form.m_strSetupTitle = "Duel";
    form.m_strShip1 = "\"Kestrel\"";
    form.m_strShip14 = "Dart";
    form.m_bPlayerVsAI = form.m_bHostSelectShips = 1;
    form.m_strComments = "only here";
    return form;
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
        EXPECT_EQ(Describe(form), std::string("Duel|\"Kestrel\"|Dart|") + c.boxes);
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
    EXPECT_EQ(Describe(form), "|||0101");
    EXPECT_EQ(settings.GetTeamSettings(), 3);
    EXPECT_EQ(settings.GetPlayerShipSettings(), 12);
    TickModeBox(form, kModeBoxes[0], settings);
    EXPECT_EQ(Describe(form), "|||1001");
}

TEST(SharedTextTest, IsTheSectionAsSelectWritesItUnderACommentAndReadsBack) {
    const std::string text = Duel().SharedText();
    EXPECT_EQ(text,
              "; Skirmaker setup: Duel\r\n[Mul_Skirmaker]\r\nsetup=Duel\r\nship1=\"Kestrel\"\r\nship2=\r\nship3=\r\n"
              "ship4=\r\nship5=\r\nship6=\r\nship7=\r\nship8=\r\nship9=\r\nship10=\r\nship11=\r\nship12=\r\n"
              "ship13=\r\nship14=Dart\r\nTeamSettings=2\r\nPlayerShipSettings=8\r\n");
    CSetupForm pasted;
    pasted.m_strComments = "mine";
    ASSERT_EQ(pasted.ReadSharedText(text), CSetupForm::SharedTextProblem::None);
    EXPECT_EQ(Describe(pasted), "Duel|\"Kestrel\"|Dart|0101");
    EXPECT_EQ(pasted.m_strComments, "mine");
    // As a mail or chat might carry it: other lines, case and blanks, LF only; a name longer than a game's read.
    ASSERT_EQ(pasted.ReadSharedText("Here it is:\n[mul_skirmaker]\n SETUP = Raid \nShip14=  \"" + std::string(70, 'L') + "\" \n"
                                    "teamsettings=1\nplayershipsettings=4\n-- host"),
              CSetupForm::SharedTextProblem::None);
    EXPECT_EQ(Describe(pasted), "Raid||\"" + std::string(70, 'L') + "\"|1010");
}

TEST(SharedTextTest, TextThatIsNoPlayableSetupChangesNothing) {
    using P = CSetupForm::SharedTextProblem;
    const std::string section = "[Mul_Skirmaker]\r\nsetup=X\r\n";
    const struct {
        std::string text;
        P problem;
    } cases[] = {{"", P::NoSection},
                 {"setup=X\r\nTeamSettings=1\r\nPlayerShipSettings=4\r\n", P::NoSection},
                 {section + "TeamSettings=1\r\n", P::UnplayableMode},
                 {section + "TeamSettings=3\r\nPlayerShipSettings=4\r\n", P::UnplayableMode},
                 {section + "TeamSettings=2\r\nPlayerShipSettings=0\r\n", P::UnplayableMode},
                 {section + "TeamSettings=2\r\nPlayerShipSettings=2\r\n", P::UnplayableMode},
                 {section + "TeamSettings=2\r\nPlayerShipSettings=8\r\n; " + std::string(70000, 'x'), P::TooLarge}};
    for (const auto& c : cases) {
        CSetupForm form = Duel();
        EXPECT_EQ(form.ReadSharedText(c.text), c.problem) << c.text.substr(0, 60);
        EXPECT_EQ(Describe(form), Describe(Duel()));
    }
}

}  // namespace
