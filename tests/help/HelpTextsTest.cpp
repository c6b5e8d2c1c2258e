// The help lists' lookups and the four summaries' composition.
#include "help/HelpTexts.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>
#include <utility>

namespace {

using help::GameSetupBoxes;
using help::HelpEntry;

struct HelpList {
    const char* name;
    std::span<const HelpEntry> entries;
    const char* (*find)(std::string_view);
    std::size_t size;
};

const HelpList kLists[] = {{"controls", help::ControlList(), help::FindDescription, 15},
                           {"questions", help::QuestionList(), help::FindAnswer, 9}};

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Summary(int number) {
    const char* text = help::SummaryText(number);
    return text ? text : "";
}

// Texts break lines with line feeds only and never end with one.
void ExpectPlainText(const std::string& text) {
    EXPECT_EQ(text.find_first_of("\r\t"), std::string::npos) << text;
    EXPECT_TRUE(!text.empty() && text.back() != '\n') << text;
}

TEST(HelpLists, EachLabelSelectsItsOwnTextAndNoOther) {
    for (const HelpList& list : kLists) {
        ASSERT_EQ(list.entries.size(), list.size) << list.name;
        std::set<std::string> seen;
        for (const HelpEntry& entry : list.entries) {
            const std::string label = entry.label;
            EXPECT_TRUE(seen.insert(Lower(label)).second) << "labels equal ignoring case: " << label;
            ASSERT_NE(entry.text, nullptr) << label;
            EXPECT_EQ(list.find(label), entry.text) << label;
            ExpectPlainText(label);
            ExpectPlainText(entry.text);
            // Lookup needs the whole label, byte for byte.
            for (const std::string& near : {Lower(label), " " + label, label.substr(0, label.size() - 1), label + '\0'})
                EXPECT_TRUE(near == label || list.find(near) == nullptr) << '"' << near << '"';
        }
        EXPECT_EQ(list.find(""), nullptr) << list.name;
    }
    EXPECT_EQ(help::FindDescription(help::QuestionList()[0].label), nullptr);
    EXPECT_EQ(help::FindAnswer(help::ControlList()[0].label), nullptr);
}

// Heading indented by game mode; the host's selection adds a third step; the launch step fits the mode.
TEST(Summaries, EachFitsItsModeAndShipChoice) {
    const std::string team = "Launch Voidwake and then select the desired team.\nPlayers that choose Team 2 will be "
                             "enemies of Players on\nTeam 1 and allied with the AI Team.";
    const std::string ship = "Launch Voidwake and then select the desired ship.\nAll Human Players will be allied "
                             "and enemies of the AI Team.";
    const std::string hostStep = "\n\n3. Enter the the 'SubName(s)' of the ship objects";
    const struct {
        std::size_t blanks;
        const char* heading;
        int steps;
        const std::string& launch;
    } table[] = {{13, "PLAYER vs PLAYER | PLAYER SELECT SHIPS", 5, team},
                 {13, "PLAYER vs PLAYER | HOST SELECT SHIPS", 6, team},
                 {17, "PLAYER vs AI | PLAYER SELECT SHIPS", 5, ship},
                 {17, "PLAYER vs AI | HOST SELECT SHIPS", 6, ship}};
    for (int number = 1; number <= help::kSummaryCount; ++number) {
        const auto& expected = table[number - 1];
        const std::string text = Summary(number);
        ExpectPlainText(text);
        EXPECT_TRUE(text.starts_with(std::string(expected.blanks, ' ') + expected.heading +
                                     "\n\n1. Enter your custom title in the GAME SETUP combo box.\n\n2. "))
            << number;
        EXPECT_EQ(text.find("\n\n" + std::to_string(expected.steps + 1) + ". "), std::string::npos) << number;
        EXPECT_TRUE(text.ends_with("\n\n" + std::to_string(expected.steps) + ". " + expected.launch)) << number;
        EXPECT_EQ(text.find(hostStep) != std::string::npos, expected.steps == 6) << number;
    }
    EXPECT_TRUE(help::SummaryText(0) == nullptr && help::SummaryText(help::kSummaryCount + 1) == nullptr);
}

TEST(ChooseSummary, TickedModeAndShipChoiceSelectTheSummary) {
    // Only exactly 1 counts as ticked; each combination is tested in turn, so the last one holding wins.
    const std::pair<GameSetupBoxes, int> table[] = {
        {{1, 0, 1, 0}, 1}, {{1, 0, 0, 1}, 2}, {{0, 1, 1, 0}, 3}, {{0, 1, 0, 1}, 4}, {{1, 1, 1, 1}, 4},
        {{1, 0, 1, 1}, 2}, {{1, 1, 1, 0}, 3}, {{}, help::kNoSummary}, {{1, 1, 0, 0}, help::kNoSummary},
        {{0, 0, 1, 1}, help::kNoSummary}, {{2, 0, 1, 0}, help::kNoSummary}, {{0, 1, 0, -1}, help::kNoSummary}};
    for (const auto& [b, summary] : table)
        EXPECT_EQ(help::ChooseSummary(b), summary)
            << b.playerVsPlayer << b.playerVsAI << b.playerSelectShips << b.hostSelectShips;
}

}  // namespace
