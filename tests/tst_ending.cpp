// The ending: the player's case slides into place tick by tick, opens, and the verdict is told.
#include "support/scripted.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <string>

using namespace zumo;

namespace {

// A game over in the given stage with the player's case 0 holding amountText, waiting to slide.
void gameOver(TestGame &g, int stage, const std::string &amountText, std::int32_t offer)
{
    g.board.lblCase_Click(0);
    BoardState &s = g.poke();
    s.lblCase[0].Tag = amountText;
    s.stage = static_cast<std::int16_t>(stage);
    s.currentOffer = offer;
    BoardProbe::ShowTask(g.board);
}

int ticksUntilTheEnd(TestGame &g, int limit = 10000)
{
    int ticks = 0;
    while (g.host.told.empty() && ticks < limit) {
        g.board.tmrMoveCase_Timer();
        ++ticks;
    }
    return ticks;
}

std::string ending(int stage, const std::string &amountText, std::int32_t offer)
{
    TestGame g;
    gameOver(g, stage, amountText, offer);
    ticksUntilTheEnd(g);
    return g.host.told.empty() ? std::string() : g.host.told.back();
}

} // namespace

TEST(Ending, theSlideTakes516TicksGoingDiagonallyThenStraightUp)
{
    TestGame g;
    gameOver(g, 9, "300,000", 123456);
    const CaseSlot &own = g.state().lblCase[0];
    for (int tick = 1; tick <= 336; ++tick)
        g.board.tmrMoveCase_Timer();
    EXPECT_EQ(own.Left, 6000);
    EXPECT_EQ(own.Top, 3720);
    EXPECT_EQ(own.Caption, "1"); // still closed while it slides
    for (int tick = 337; tick <= 515; ++tick) {
        g.board.tmrMoveCase_Timer();
        ASSERT_EQ(own.Left, 6000);
    }
    EXPECT_TRUE(g.host.told.empty());
    EXPECT_TRUE(g.state().tmrMoveCase.Enabled);
    g.board.tmrMoveCase_Timer();
    EXPECT_EQ(own.Left, 6000);
    EXPECT_EQ(own.Top, 1920);
    EXPECT_EQ(own.Caption, "300,000");
    EXPECT_EQ(g.host.told.size(), 1u);
    EXPECT_EQ(g.host.returns, 1);
    EXPECT_FALSE(g.state().tmrMoveCase.Enabled);
}

// The timer is off before the closing box opens, so ticks arriving behind it cannot end twice.
TEST(Ending, timerIsOffWhileTheClosingBoxIsOpenAndLaterTicksDoNothing)
{
    TestGame g;
    gameOver(g, 10, "1,000", 123456);
    bool timerOnDuringBox = true;
    g.host.onBox = [&](const std::string &) { timerOnDuringBox = g.state().tmrMoveCase.Enabled; };
    ticksUntilTheEnd(g);
    EXPECT_FALSE(timerOnDuringBox);
    for (int i = 0; i < 50; ++i)
        g.board.tmrMoveCase_Timer();
    EXPECT_EQ(g.host.told.size(), 1u);
    EXPECT_EQ(g.host.returns, 1);
}

TEST(Ending, ticksBeforeTheGameIsOverMoveNothing)
{
    TestGame g;
    g.board.tmrMoveCase_Timer();
    g.board.lblCase_Click(3);
    g.board.tmrMoveCase_Timer();
    EXPECT_EQ(g.state().lblCase[3].Left, 11040);
    EXPECT_EQ(g.state().lblCase[3].Top, 7080);
    EXPECT_TRUE(g.host.told.empty());
}

TEST(Ending, stepsAreNotClampedSoAStartOffTheGridOvershoots)
{
    TestGame g;
    gameOver(g, 9, "5", 3);
    g.poke().lblCase[0].Left = 6010;
    g.board.tmrMoveCase_Timer();
    EXPECT_EQ(g.state().lblCase[0].Left, 5995);
    ticksUntilTheEnd(g);
    EXPECT_EQ(g.state().lblCase[0].Left, 5995);
    EXPECT_EQ(g.state().lblCase[0].Top, 1920);
}

TEST(Ending, aCaseAlreadyInPlaceEndsOnTheFirstTickWithoutMoving)
{
    TestGame g;
    gameOver(g, 9, "5", 3);
    g.poke().lblCase[0].Left = 5000;
    g.poke().lblCase[0].Top = 1000;
    g.board.tmrMoveCase_Timer();
    EXPECT_EQ(g.state().lblCase[0].Left, 5000);
    EXPECT_EQ(g.state().lblCase[0].Top, 1000);
    EXPECT_EQ(g.host.told.size(), 1u);
}

TEST(Ending, endGameOutsideTheLastTwoStagesChangesNothing)
{
    for (const int stage : { 0, 1, 5, 8, 11 }) {
        TestGame g;
        g.board.lblCase_Click(0);
        g.poke().stage = static_cast<std::int16_t>(stage);
        BoardProbe::EndGame(g.board);
        EXPECT_EQ(g.state().lblCase[0].Caption, "1") << "stage " << stage;
        EXPECT_TRUE(g.host.told.empty());
        EXPECT_EQ(g.host.returns, 0);
    }
}

TEST(Ending, showTaskInTheLastStagesIsIdempotentAndLeavesTheInstructionEmpty)
{
    TestGame g;
    gameOver(g, 9, "5", 3);
    g.poke().lblTask.Caption.clear();
    BoardProbe::ShowTask(g.board);
    const BoardState once = g.state();
    BoardProbe::ShowTask(g.board);
    for (int i = 0; i < CaseCount; ++i)
        EXPECT_EQ(g.state().lblCase[i].Visible, i == 0);
    EXPECT_EQ(g.state().lblCase[0].Left, once.lblCase[0].Left);
    EXPECT_EQ(g.state().lblTask.Caption, "");
    EXPECT_TRUE(g.state().tmrMoveCase.Enabled);
}

TEST(Ending, rejectedAndRightChoiceSaysByHowMuchTheCaseBeatTheOffer)
{
    EXPECT_EQ(ending(9, "300,000", 123456),
        "You rejected the banker's offer and kept your case. Your case contained $300,000. Looks "
        "like you made the right choice, considering that your case contained $176544 more than "
        "what the banker was offering you. Congrats! Thank you for playing Zumo or No Zumo.");
}

TEST(Ending, rejectedAndWrongChoiceSaysThePlayerLeftWithTheAmountText)
{
    EXPECT_EQ(ending(9, "1,000", 123456),
        "You rejected the banker's offer and kept your case. Your case contained $1,000. Looks "
        "like you made the wrong choice, considering that your case contained $122456 less than "
        "what the banker was offering you. At least you left with $1,000. Better luck next time, "
        "and thank you for playing Zumo or No Zumo.");
}

TEST(Ending, acceptedAndRightChoiceSaysByHowMuchTheOfferBeatTheCase)
{
    EXPECT_EQ(ending(10, "1,000", 123456),
        "You accepted the banker's offer. Your case contained $1,000. Looks like you made the "
        "right choice, considering that the banker was offering you $122456 more than what your "
        "case contained. Congrats! Thank you for playing Zumo or No Zumo.");
}

TEST(Ending, acceptedAndWrongChoiceSaysThePlayerLeftWithTheOfferInPlainDigits)
{
    EXPECT_EQ(ending(10, "300,000", 123456),
        "You accepted the banker's offer. Your case contained $300,000. Looks like you made the "
        "wrong choice, considering that the banker was offering you $176544 less than what your "
        "case contained. At least you left with $123456. Better luck next time, and thank you for "
        "playing Zumo or No Zumo.");
}

TEST(Ending, aTieCountsAsTheWrongChoiceWithADifferenceOfZero)
{
    EXPECT_EQ(ending(9, "5,000", 5000),
        "You rejected the banker's offer and kept your case. Your case contained $5,000. Looks "
        "like you made the wrong choice, considering that your case contained $0 less than what "
        "the banker was offering you. At least you left with $5,000. Better luck next time, and "
        "thank you for playing Zumo or No Zumo.");
    EXPECT_EQ(ending(10, "5,000", 5000),
        "You accepted the banker's offer. Your case contained $5,000. Looks like you made the "
        "wrong choice, considering that the banker was offering you $0 less than what your case "
        "contained. At least you left with $5000. Better luck next time, and thank you for "
        "playing Zumo or No Zumo.");
}
