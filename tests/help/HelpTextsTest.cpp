#include "help/HelpTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

namespace {

using help::GameSetupBoxes;
using help::HelpEntry;

struct HelpList {
    const char* name;
    std::span<const HelpEntry> entries;
    const char* (*find)(std::string_view);
    std::size_t size;
};

std::vector<HelpList> Lists() {
    return {{"controls", help::ControlList(), help::FindDescription, 15},
            {"questions", help::QuestionList(), help::FindAnswer, 9}};
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Summary(int number) {
    const char* text = help::SummaryText(number);
    return text ? text : "";
}

TEST(HelpLists, EveryLabelSelectsItsOwnText) {
    for (const HelpList& list : Lists()) {
        ASSERT_EQ(list.entries.size(), list.size) << list.name;
        for (const HelpEntry& entry : list.entries) {
            ASSERT_NE(entry.text, nullptr) << entry.label;
            EXPECT_NE(entry.text[0], '\0') << entry.label;
            EXPECT_EQ(list.find(entry.label), entry.text) << entry.label;
        }
    }
}

TEST(HelpLists, LabelsDifferEvenIgnoringCase) {
    for (const HelpList& list : Lists()) {
        std::set<std::string> seen;
        for (const HelpEntry& entry : list.entries)
            EXPECT_TRUE(seen.insert(Lower(entry.label)).second) << list.name << ": " << entry.label;
    }
}

TEST(HelpLists, LookupNeedsTheWholeLabelExactly) {
    for (const HelpList& list : Lists()) {
        for (const HelpEntry& entry : list.entries) {
            const std::string label = entry.label;
            const std::string near[] = {
                Lower(label), label + " ", " " + label, label.substr(0, label.size() - 1), label + '\0'};
            for (const std::string& text : near) {
                if (text == label) continue;
                EXPECT_EQ(list.find(text), nullptr) << '"' << text << '"';
            }
        }
        EXPECT_EQ(list.find(""), nullptr) << list.name;
    }
    EXPECT_EQ(help::FindDescription(help::QuestionList()[0].label), nullptr);
    EXPECT_EQ(help::FindAnswer(help::ControlList()[0].label), nullptr);
}

TEST(HelpLists, TextsBreakLinesWithLineFeedsOnly) {
    std::vector<std::string> texts;
    for (const HelpList& list : Lists())
        for (const HelpEntry& entry : list.entries) texts.insert(texts.end(), {entry.label, entry.text});
    for (int number = 1; number <= help::kSummaryCount; ++number) texts.push_back(Summary(number));
    for (const std::string& text : texts) {
        EXPECT_EQ(text.find('\r'), std::string::npos) << text;
        EXPECT_EQ(text.find('\t'), std::string::npos) << text;
        EXPECT_NE(text.back(), '\n') << text;
    }
}

TEST(HelpLists, ControlDescriptionsQuotedInFull) {
    EXPECT_STREQ(help::FindDescription("'PLAYER vs AI' check box"),
                 "All Human Teams will be Allied vs all AI.\n\nNOTE: If this feature is 'checked' by the Host, "
                 "ALL Players must 'check' this feature as well and hit the SELECT BUTTON from the dialog.");
    EXPECT_STREQ(help::FindDescription("'AI & PLAYER TEAM SHIP' edit boxes"),
                 "Allows the Host to select ships that are read from both the'DefaultLoadout.txt' and "
                 "'CustomLoadout.txt'.\nYou must enter the correct 'SubName' for the ship in quotations.\n\n"
                 "i.e ''Kestrel'' <- Will work.\ni.e  Kestrel <- Will not work.");
    EXPECT_STREQ(help::FindDescription("'STANDARD DEFAULT LOADOUT' combo box"),
                 "This feature allows for 'Quick Picking' ship objects that are on the Voidwake "
                 "DefaultLoadOut.txt.\nSimply copy and paste the ship objects to the desired AI and / or "
                 "Player Team edit boxes.\n\nNOTE: Make sure you add the quotations to the ships after "
                 "pasting.\n\ni.e ''Kestrel'' <- Will work.\ni.e  Kestrel <- Will not work.");
    EXPECT_STREQ(help::FindDescription("'COMMENTS' edit box'"),
                 "Allows user to add comments.\n\nVery handy for quick referencing notes about your custom "
                 "game setup.");
}

TEST(HelpLists, HostNoteEndsTheFourModeEntries) {
    const std::string note =
        "\n\nNOTE: If this feature is 'checked' by the Host, ALL Players must 'check' this feature as well "
        "and hit the SELECT BUTTON from the dialog.";
    const auto entries = help::ControlList();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string text = entries[i].text;
        const bool endsWithNote = text.size() > note.size() && text.ends_with(note);
        EXPECT_EQ(endsWithNote, i >= 1 && i <= 4) << entries[i].label;
    }
}

TEST(HelpLists, AnswersQuotedInFull) {
    EXPECT_STREQ(help::FindAnswer("Some or All of the ships do not appear in the game."),
                 "You must enter the correct 'SubName' for the ship in quotations.\n\ni.e ''Kestrel'' <- will "
                 "work.\ni.e  Kestrel <- will NOT work.\n\nShips listed on the DefaultLoadOut and "
                 "CustomLoadOut files are also case and space sensitive.\n\nHere are some more examples:\n\n"
                 "''KESTREL''<-will NOT work.\n''  Kestrel  ''<-will NOT work\n''kestrel''<-will NOT work.\n\n"
                 "''Kestrel''<- will work.");
    EXPECT_STREQ(help::FindAnswer("My Custom Game Setups nolonger appear in the Skirmaker Dialog."),
                 "The SkirmakerData.DAT file must be in the same directory as the Skirmaker.exe.\nAlthough you "
                 "can place Skirmaker in any folder it is best to keep it inside the default location of your "
                 "voidwake folder.");
}

TEST(HelpLists, LostUserIsInvitedToWriteAnEmail) {
    const char* answer = help::FindAnswer("Dude, I am totally lost.");
    ASSERT_NE(answer, nullptr);
    const std::string text = answer;
    EXPECT_EQ(text.find('\n'), std::string::npos);
    EXPECT_EQ(text.back(), '.');
    EXPECT_NE(text.find("e-mail"), std::string::npos);
    const auto at = text.find('@');
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(text.find('.', at), text.size() - 1) << "the address needs a domain";
}

TEST(Summaries, HeadingsAreIndentedByMode) {
    struct Expected {
        int number;
        std::size_t blanks;
        const char* heading;
    };
    const Expected table[] = {
        {1, 13, "PLAYER vs PLAYER | PLAYER SELECT SHIPS"},
        {2, 13, "PLAYER vs PLAYER | HOST SELECT SHIPS"},
        {3, 17, "PLAYER vs AI | PLAYER SELECT SHIPS"},
        {4, 17, "PLAYER vs AI | HOST SELECT SHIPS"},
    };
    for (const Expected& expected : table) {
        const std::string text = Summary(expected.number);
        const std::string opening = std::string(expected.blanks, ' ') + expected.heading +
                                    "\n\n1. Enter your custom title in the GAME SETUP combo box.\n\n2. ";
        EXPECT_TRUE(text.starts_with(opening)) << text;
    }
    EXPECT_EQ(help::SummaryText(0), nullptr);
    EXPECT_EQ(help::SummaryText(help::kSummaryCount + 1), nullptr);
}

TEST(Summaries, HostSelectionAddsTheHostStep) {
    const std::string hostStep = "Enter the the 'SubName(s)' of the ship objects";
    for (int number = 1; number <= help::kSummaryCount; ++number) {
        const std::string text = Summary(number);
        const bool hostSelects = number == 2 || number == 4;
        const int steps = hostSelects ? 6 : 5;
        for (int step = 1; step <= 6; ++step) {
            const std::string marker = "\n\n" + std::to_string(step) + ". ";
            EXPECT_EQ(text.find(marker) != std::string::npos, step <= steps) << number << marker;
        }
        EXPECT_EQ(text.find("\n\n3. " + hostStep) != std::string::npos, hostSelects) << number;
    }
}

TEST(Summaries, LaunchStepFitsTheGameMode) {
    const std::string teamStep =
        "Launch Voidwake and then select the desired team.\nPlayers that choose Team 2 will be enemies of "
        "Players on\nTeam 1 and allied with the AI Team.";
    const std::string shipStep =
        "Launch Voidwake and then select the desired ship.\nAll Human Players will be allied and enemies of "
        "the AI Team.";
    EXPECT_TRUE(Summary(1).ends_with("\n\n5. " + teamStep));
    EXPECT_TRUE(Summary(2).ends_with("\n\n6. " + teamStep));
    EXPECT_TRUE(Summary(3).ends_with("\n\n5. " + shipStep));
    EXPECT_TRUE(Summary(4).ends_with("\n\n6. " + shipStep));
}

TEST(Summaries, FirstQuotedInFull) {
    EXPECT_EQ(Summary(1),
              "             PLAYER vs PLAYER | PLAYER SELECT SHIPS\n\n"
              "1. Enter your custom title in the GAME SETUP combo box.\n\n"
              "2. If desired, enter the 'SubName(s)' of the ship object you wish to add in any of the AI Team "
              "Ship edit boxes.\n\n"
              "3. Click on the SAVE BUTTON to save your Custom Setup for future use.\n\n"
              "4. Click on the SELECT BUTTON to save your Custom Setup for Voidwake game play\n\n"
              "5. Launch Voidwake and then select the desired team.\nPlayers that choose Team 2 will be enemies "
              "of Players on\nTeam 1 and allied with the AI Team.");
}

TEST(ChooseSummary, TickedModeAndShipChoiceSelectTheSummary) {
    struct Case {
        GameSetupBoxes boxes;
        int summary;
    };
    const Case table[] = {
        {{.playerVsPlayer = 1, .playerSelectShips = 1}, 1},
        {{.playerVsPlayer = 1, .hostSelectShips = 1}, 2},
        {{.playerVsAI = 1, .playerSelectShips = 1}, 3},
        {{.playerVsAI = 1, .hostSelectShips = 1}, 4},
        {{}, help::kNoSummary},
        {{.playerVsPlayer = 1}, help::kNoSummary},
        {{.playerVsAI = 1}, help::kNoSummary},
        {{.playerSelectShips = 1}, help::kNoSummary},
        {{.hostSelectShips = 1}, help::kNoSummary},
        // Only exactly 1 counts as ticked.
        {{.playerVsPlayer = 2, .playerSelectShips = 1}, help::kNoSummary},
        {{.playerVsAI = 1, .hostSelectShips = -1}, help::kNoSummary},
        // Each combination is tested in turn, so the last one holding wins.
        {{1, 1, 1, 1}, 4},
        {{1, 0, 1, 1}, 2},
        {{1, 1, 1, 0}, 3},
    };
    for (const Case& c : table) {
        const GameSetupBoxes& b = c.boxes;
        EXPECT_EQ(help::ChooseSummary(b), c.summary)
            << b.playerVsPlayer << b.playerVsAI << b.playerSelectShips << b.hostSelectShips;
    }
}

}  // namespace
