// The order keyboard play moves through the cases in: number order and columns, cases in play only.
#include "board/case_order.h"
#include "support/scripted.h"

#include <gtest/gtest.h>

using namespace zumo;

// Case 13 (index 12) is the player's; cases 1, 8, 18 and 25 are opened. Column 3 holds
// cases 3, 8, 13, 18 and 23.
TEST(CaseOrder, skipsThePlayersCaseAndOpenedOnesWrapsInNumberOrderAndStaysWithinAColumn)
{
    TestGame game(ScriptedRandom::forAssignment(identityAssignment()));
    for (const int i : { 12, 0, 7, 17, 24 })
        game.board.lblCase_Click(i);
    const BoardState &s = game.state();

    EXPECT_EQ(nextCaseInPlay(s, -1, +1), 1);
    EXPECT_EQ(nextCaseInPlay(s, -1, -1), 23);
    EXPECT_EQ(nextCaseInPlay(s, 23, +1), 1);
    EXPECT_EQ(nextCaseInPlay(s, 12, -1), 11); // from a case that has just left play
    EXPECT_EQ(caseInColumn(s, 2, +1), 22);
    EXPECT_EQ(caseInColumn(s, 22, -1), 2);
    EXPECT_EQ(caseInColumn(s, 22, +1), -1);

    BoardProbe::state(game.board).stage = StageAllRefused;
    BoardProbe::ShowTask(game.board); // the ending puts every other case away
    EXPECT_EQ(nextCaseInPlay(s, 1, +1), -1);
    EXPECT_EQ(caseInColumn(s, 2, +1), -1);
}
