// Words for screen readers: each case and value label says what its colour and place show.
#include "board/descriptions.h"
#include "support/scripted.h"

#include <gtest/gtest.h>

using namespace zumo;

TEST(Descriptions, casesSayWhetherTheyAreClosedThePlayersOwnOrOpened)
{
    TestGame g { ScriptedRandom::forAssignment(identityAssignment()) };
    EXPECT_EQ(caseDescription(g.state(), 0), "Case 1, closed");
    g.board.lblCase_Click(4);
    g.board.lblCase_Click(24); // case 25 holds $1
    g.board.lblCase_Click(0); // case 1 holds $1,000,000
    EXPECT_EQ(caseDescription(g.state(), 4), "Case 5, your case, closed");
    EXPECT_EQ(caseDescription(g.state(), 24), "Case 25, opened");
    EXPECT_EQ(caseDescription(g.state(), 0), "Case 1, opened");
    EXPECT_EQ(caseDescription(g.state(), 1), "Case 2, closed");
    EXPECT_EQ(caseDescription(g.state(), 25), "");
}

// Case 1 holding $1 reads "1" before and after it is opened: its caption cannot tell.
TEST(Descriptions, aCaseWhoseAmountReadsLikeItsNumberIsStillToldApart)
{
    std::array<int, CaseCount> a = identityAssignment();
    std::swap(a[0], a[24]); // case 1 holds "1"
    TestGame g { ScriptedRandom::forAssignment(a) };
    g.board.lblCase_Click(5);
    EXPECT_EQ(caseDescription(g.state(), 0), "Case 1, closed");
    g.board.lblCase_Click(0);
    EXPECT_EQ(caseDescription(g.state(), 0), "Case 1, opened");
    EXPECT_EQ(valueDescription(g.state(), 24), "Opened");
    EXPECT_EQ(valueDescription(g.state(), 23), "Still in play");
}

TEST(Descriptions, thePlayersCaseIsOpenedOnlyOnceTheSlideHasEnded)
{
    TestGame g;
    g.board.lblCase_Click(2);
    for (int i = 3; i < CaseCount; ++i)
        g.board.lblCase_Click(i);
    g.board.lblCase_Click(0);
    ASSERT_EQ(g.state().stage, 9);
    g.board.tmrMoveCase_Timer();
    EXPECT_EQ(caseDescription(g.state(), 2), "Case 3, your case, closed");
    std::string duringVerdict;
    g.host.onBox = [&](const std::string &) { duringVerdict = caseDescription(g.state(), 2); };
    while (g.host.returns == 0)
        g.board.tmrMoveCase_Timer();
    EXPECT_EQ(duringVerdict, "Case 3, your case, opened");
}
