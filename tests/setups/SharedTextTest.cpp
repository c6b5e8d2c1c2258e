// The text that hands a setup to other players: written as "Select" writes the
// section, read back by the settings file's rules, refused when unplayable.
#include "setups/SetupForm.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CSetupForm Duel() {
    CSetupForm form;
    form.m_strSetupTitle = "Duel";
    form.m_strShip1 = "\"Kestrel\"";
    form.m_strShip14 = "Dart";
    form.m_bPlayerVsAI = form.m_bHostSelectShips = 1;
    form.m_strComments = "only here";
    return form;
}

// The form's shared fields in one line.
std::string Shared(const CSetupForm& form) {
    return form.m_strSetupTitle + "|" + form.m_strShip1 + "|" + form.m_strShip14 + "|" +
           std::to_string(form.m_bPlayerVsPlayer) + std::to_string(form.m_bPlayerVsAI) +
           std::to_string(form.m_bPlayerSelectShips) + std::to_string(form.m_bHostSelectShips);
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
    EXPECT_EQ(Shared(pasted), "Duel|\"Kestrel\"|Dart|0101");
    EXPECT_EQ(pasted.m_strComments, "mine");
    // As a mail or chat might carry it: other lines, other case, blanks, LF only.
    ASSERT_EQ(pasted.ReadSharedText("Here it is:\n[mul_skirmaker]\n SETUP = Raid \nShip14=  \"Lancer\" \n"
                                    "teamsettings=1\nplayershipsettings=4\n-- host"),
              CSetupForm::SharedTextProblem::None);
    EXPECT_EQ(Shared(pasted), "Raid||\"Lancer\"|1010");
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
        EXPECT_EQ(Shared(form), Shared(Duel()));
    }
}

}  // namespace
