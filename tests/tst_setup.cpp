// Setting up a board: the layout formulas, the draw with rejection, and a fresh start every load.
#include "board/tables.h"
#include "support/scripted.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <utility>
#include <vector>

using namespace zumo;

namespace {

std::vector<std::string> sortedTags(const BoardState &s)
{
    std::vector<std::string> tags;
    for (const auto &c : s.lblCase)
        tags.push_back(c.Tag);
    std::sort(tags.begin(), tags.end());
    return tags;
}

std::vector<std::string> sortedAmountTexts()
{
    std::vector<std::string> texts(AmountTexts.begin(), AmountTexts.end());
    std::sort(texts.begin(), texts.end());
    return texts;
}

} // namespace

TEST(Setup, casesStandInAFiveByFiveGridOnASquarePitchNumberedOneToTwentyFive)
{
    const TestGame g;
    const float columns[] = { 3630, 4815, 6000, 7185, 8370 };
    const float rows[] = { 1920, 2895, 3870, 4845, 5820 };
    for (int i = 0; i < CaseCount; ++i) {
        const CaseSlot &c = g.state().lblCase[i];
        EXPECT_EQ(c.Left, columns[i % 5]) << "case " << i;
        EXPECT_EQ(c.Top, rows[i / 5]) << "case " << i;
        EXPECT_EQ(c.Caption, std::to_string(i + 1));
        EXPECT_TRUE(c.Visible && c.Enabled);
    }
    EXPECT_EQ(g.state().lblCase[12].Left, 6000);
    EXPECT_EQ(g.state().lblCase[12].Top, 3870);
}

TEST(Setup, valueBoardRunsFromTheMillionDownToOneDollarInTwoUnequalColumns)
{
    const TestGame g;
    const auto &v = g.state().lblValues;
    EXPECT_EQ(v[0].Caption, "$1,000,000");
    EXPECT_EQ(v[13].Caption, "$750");
    EXPECT_EQ(v[14].Caption, "$500");
    EXPECT_EQ(v[24].Caption, "$1");
    for (int i = 0; i < CaseCount; ++i) {
        EXPECT_EQ(v[i].Left, i <= 13 ? 600 : 9720) << "value " << i;
        EXPECT_EQ(v[i].Top, 1920 + 375 * (i <= 13 ? i : i - 14)) << "value " << i;
        EXPECT_EQ(v[i].ForeColor, ButtonText);
    }
    EXPECT_EQ(v[13].Top, 6795);
    EXPECT_EQ(v[24].Top, 5670);
}

TEST(Setup, firstInstructionAsksForTheCaseWithTwoBlanksAfterGame)
{
    const TestGame g;
    EXPECT_EQ(g.state().lblTask.Caption,
        "Choose your case (by clicking on the case). This case will stay with you throughout the "
        "entire game.  The banker will bid on the case, and you will get to accept or reject each "
        "bid.");
    EXPECT_EQ(g.state().stage, 0);
    EXPECT_EQ(g.state().chosenCase, 0);
    EXPECT_FALSE(g.state().tmrMoveCase.Enabled);
    EXPECT_EQ(g.state().tmrMoveCase.Interval, 15);
}

// Amount texts like "1" and "10" read as value indexes: each must be turned exactly once.
TEST(Setup, valueIndexTextsBecomeTheirAmountTextsExactlyOnce)
{
    std::array<int, CaseCount> assignment = identityAssignment();
    std::swap(assignment[0], assignment[24]); // case 0 draws index 24, case 24 draws index 0
    const TestGame g(ScriptedRandom::forAssignment(assignment));
    EXPECT_EQ(g.state().lblCase[0].Tag, "1");
    EXPECT_EQ(g.state().lblCase[1].Tag, "750,000");
    EXPECT_EQ(g.state().lblCase[24].Tag, "1,000,000");
    EXPECT_EQ(g.state().lblCase[22].Tag, "10");
    EXPECT_EQ(sortedTags(g.state()), sortedAmountTexts());
}

TEST(Setup, drawOnATakenIndexIsThrownAwayAndDrawnAgainNotMovedToANeighbour)
{
    ScriptedRandom r;
    r.push(0.0f); // case 0 → index 0
    r.push(0.0f); // case 1 → taken, drawn again
    r.push(0.0f); //        → taken, drawn again
    r.push(0.99f); //        → index 24
    const TestGame g(std::move(r));
    EXPECT_EQ(g.state().lblCase[0].Tag, "1,000,000");
    EXPECT_EQ(g.state().lblCase[1].Tag, "1");
    EXPECT_GE(g.random.draws, 25 + 2);
}

// A source that breaks its contract must not index past the amounts: such draws are discarded.
TEST(Setup, drawsOutsideTheUnitIntervalAreDiscarded)
{
    ScriptedRandom r;
    for (const float bad : { 1.0f, 1.5f, -0.25f, std::numeric_limits<float>::quiet_NaN(),
             std::numeric_limits<float>::infinity() })
        r.push(bad);
    const TestGame g(std::move(r));
    EXPECT_EQ(sortedTags(g.state()), sortedAmountTexts());
}

TEST(Setup, everySeedGivesAPermutationOfTheAmountsWithAllValuesTaken)
{
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        const TestGame g { ScriptedRandom(seed) };
        ASSERT_EQ(sortedTags(g.state()), sortedAmountTexts()) << "seed " << seed;
        for (const auto taken : g.state().valueTaken)
            ASSERT_EQ(taken, 1);
    }
}

TEST(Setup, loadingAgainStartsAFreshGameWithANewSeed)
{
    TestGame g;
    g.board.lblCase_Click(3);
    for (int i = 0; i < 6; ++i)
        g.board.lblCase_Click(10 + i);
    ASSERT_EQ(g.state().stage, 2);
    g.board.Form_Load();
    EXPECT_EQ(g.random.reseeds, 2);
    EXPECT_EQ(g.state().stage, 0);
    EXPECT_EQ(g.state().chosenCase, 0);
    for (int i = 0; i < CaseCount; ++i) {
        EXPECT_TRUE(g.state().lblCase[i].Visible && g.state().lblCase[i].Enabled);
        EXPECT_EQ(g.state().lblCase[i].Caption, std::to_string(i + 1));
        EXPECT_EQ(g.state().lblValues[i].ForeColor, ButtonText);
    }
    EXPECT_EQ(sortedTags(g.state()), sortedAmountTexts());
}
