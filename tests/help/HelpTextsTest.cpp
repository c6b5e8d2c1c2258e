// The choice of the "Game Set up" summary for the ticked boxes.
#include "help/HelpTexts.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

TEST(HelpTexts, TickedModeAndShipChoiceSelectTheSummary) {
    // Only exactly 1 counts as ticked; each combination is tested in turn, so the last one holding wins.
    const std::pair<help::GameSetupBoxes, int> table[] = {
        {{1, 0, 1, 0}, 1}, {{1, 0, 0, 1}, 2}, {{0, 1, 1, 0}, 3}, {{0, 1, 0, 1}, 4}, {{1, 1, 1, 1}, 4},
        {{1, 0, 1, 1}, 2}, {{1, 1, 1, 0}, 3}, {{}, help::kNoSummary}, {{1, 1, 0, 0}, help::kNoSummary},
        {{0, 0, 1, 1}, help::kNoSummary}, {{2, 0, 1, 0}, help::kNoSummary}, {{0, 1, 0, -1}, help::kNoSummary}};
    for (const auto& [b, summary] : table) {
        SCOPED_TRACE(::testing::Message() << b.playerVsPlayer << b.playerVsAI << b.playerSelectShips
                                          << b.hostSelectShips);
        EXPECT_EQ(help::ChooseSummary(b), summary);
        // Without a summary the page keeps the text it shows.
        EXPECT_EQ(help::SummaryText(help::ChooseSummary(b)) == nullptr, summary == help::kNoSummary);
    }
}

}  // namespace
