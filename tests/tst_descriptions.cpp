// Words for screen readers: each case and value label says what its colour and place show.
#include "board/descriptions.h"
#include "support/scripted.h"

#include <array>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

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

// A screen reader user hears what a sighted player sees change, and nothing of the instruction
// emptied while the banker calls.
TEST(Descriptions, announcementsSayWhatChangedAndTheValueBoardIsReadOnRequest)
{
    TestGame g { ScriptedRandom::forAssignment(identityAssignment()) };
    BoardState before, underTheBox; // the box opens with the view in line with the game
    g.host.onBox = [&](const std::string &) { underTheBox = g.state(); };
    const auto click = [&](int index) {
        before = g.state();
        g.board.lblCase_Click(index);
        return announcements(before, g.state());
    };
    EXPECT_EQ(click(24).front(), "Case 25 is now your case.");
    EXPECT_EQ(click(1), std::vector<std::string> { "Case 2 held $750,000." });
    EXPECT_TRUE(click(1).empty()); // out of play: nothing happens
    for (int i = 2; i < 6; ++i)
        click(i);
    click(0); // the sixth: the banker calls, and is refused
    EXPECT_EQ(
        announcements(before, underTheBox), std::vector<std::string> { "Case 1 held $1,000,000." });
    EXPECT_EQ(announcements(underTheBox, g.state()),
        std::vector<std::string> { g.state().lblTask.Caption });

    g.host.answer = [](int) { return true; };
    for (int i = 6; i < 10; ++i)
        click(i);
    EXPECT_EQ(click(10).back(), "Case 25, your case, is being opened.");
    EXPECT_EQ(amountsInPlay(g.state()),
        "14 cases remain, holding $5,000, $1,000, $750, $500, $400, $300, $200, $100, $75, $50, "
        "$25, $10, $5 and $1.");
}
