#pragma once
// Fixed texts of the help sheet: the "Dialog Controls" list, the four
// "Game Set up" summaries and the "Trouble Shooting" questions.
#include <span>
#include <string_view>

namespace help {

// One list line and the text shown when it is chosen.
struct HelpEntry {
    const char* label;
    const char* text;
};

// The lists in the order their labels are added to the page's combo box.
std::span<const HelpEntry> ControlList();
std::span<const HelpEntry> QuestionList();

// The text whose label equals the given one byte for byte, or nullptr when no
// label does (the page then keeps the text it shows).
const char* FindDescription(std::string_view label);
const char* FindAnswer(std::string_view question);

// The "Game Set up" check boxes, each 1 when ticked and 0 when clear.
struct GameSetupBoxes {
    int playerVsPlayer = 0;
    int playerVsAI = 0;
    int playerSelectShips = 0;
    int hostSelectShips = 0;
};

inline constexpr int kNoSummary = 0;
inline constexpr int kSummaryCount = 4;

// The summary (1 to kSummaryCount) for the ticked game mode and ship choice,
// or kNoSummary while either pair has no box ticked.
int ChooseSummary(const GameSetupBoxes& boxes);

// Summary 1 to kSummaryCount; nullptr for any other number.
const char* SummaryText(int number);

}  // namespace help
