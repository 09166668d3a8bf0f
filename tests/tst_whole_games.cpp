// Whole games played through the board's events alone, every box checked word for word.
#include "support/scripted.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace zumo;

namespace {

const double factors[] = { 0, 0.22, 0.27, 0.30, 0.32, 0.34, 0.48, 0.50, 0.725 };
const int quotas[] = { 0, 6, 5, 4, 3, 2, 1, 1, 1 };

double amountOf(std::string text)
{
    std::erase(text, ',');
    return std::stod(text);
}

// What the banker must offer at the end of `stage`, worked out from the cases left in play.
long expectedOffer(const BoardState &s, int stage)
{
    double total = 0;
    int inPlay = 0;
    for (const auto &c : s.lblCase) {
        if (c.Visible) {
            total += amountOf(c.Tag);
            ++inPlay;
        }
    }
    return std::lrint(total / inPlay * factors[stage]); // default rounding: ties to even
}

std::string offerPrompt(const std::string &name, long offer)
{
    return "Ring... Ring... Ring... Hello? Yes, hmmm... " + name
        + "... the banker is offering you $" + std::to_string(offer) + ". Do you accept?";
}

std::string closingMessage(bool accepted, const std::string &amountText, long offer)
{
    const long amount = std::lrint(amountOf(amountText));
    const std::string contained
        = "Your case contained $" + amountText + ". Looks like you made the ";
    if (!accepted && amount > offer)
        return "You rejected the banker's offer and kept your case. " + contained
            + "right choice, considering that your case contained $"
            + std::to_string(amount - offer)
            + " more than what the banker was offering you. Congrats! Thank you for playing Zumo "
              "or "
              "No Zumo.";
    if (!accepted)
        return "You rejected the banker's offer and kept your case. " + contained
            + "wrong choice, considering that your case contained $"
            + std::to_string(offer - amount)
            + " less than what the banker was offering you. At least you left with $" + amountText
            + ". Better luck next time, and thank you for playing Zumo or No Zumo.";
    if (amount < offer)
        return "You accepted the banker's offer. " + contained
            + "right choice, considering that the banker was offering you $"
            + std::to_string(offer - amount)
            + " more than what your case contained. Congrats! Thank you for playing Zumo or No "
              "Zumo.";
    return "You accepted the banker's offer. " + contained
        + "wrong choice, considering that the banker was offering you $"
        + std::to_string(amount - offer) + " less than what your case contained. At least you left "
        + "with $" + std::to_string(offer) + ". Better luck next time, and thank you for playing "
        + "Zumo or No Zumo.";
}

struct Played
{
    std::vector<std::string> expectedOffers;
    int ticks = 0;
    std::string expectedClosing;
};

// Plays own case `own`, opens the lowest closed cases first, accepts offer number acceptAt (0: never).
Played play(TestGame &g, int own, int acceptAt)
{
    Played p;
    g.host.answer = [acceptAt](int n) { return n == acceptAt; };
    g.host.onBox = [&](const std::string &prompt) {
        if (prompt.rfind("Ring...", 0) == 0) {
            EXPECT_EQ(g.state().lblTask.Caption, "");
            p.expectedOffers.push_back(
                offerPrompt(g.playerName, expectedOffer(g.state(), g.state().stage - 1)));
        }
    };
    g.board.lblCase_Click(own);
    for (int stage = 1; stage <= 8 && g.state().stage == stage; ++stage) {
        for (int opened = 0; opened < quotas[stage];) {
            int next = 0;
            while (!g.state().lblCase[next].Enabled)
                ++next;
            g.board.lblCase_Click(next);
            ++opened;
        }
    }
    EXPECT_EQ(g.state().stage, acceptAt ? 10 : 9);
    const long offer = g.state().currentOffer;
    while (g.host.returns == 0 && p.ticks < 2000) {
        g.board.tmrMoveCase_Timer();
        ++p.ticks;
    }
    p.expectedClosing = closingMessage(acceptAt != 0, g.state().lblCase[own].Tag, offer);
    return p;
}

} // namespace

TEST(WholeGame, refusingAllEightOffersEndsInStageNineAfter516Ticks)
{
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        TestGame g { ScriptedRandom(seed), "ALICE" };
        const Played p = play(g, 7, 0);
        ASSERT_EQ(g.host.offers, p.expectedOffers) << "seed " << seed;
        EXPECT_EQ(g.host.offers.size(), 8u);
        EXPECT_EQ(p.ticks, 516);
        ASSERT_EQ(g.host.told.size(), 1u);
        EXPECT_EQ(g.host.told[0], p.expectedClosing);
        EXPECT_EQ(g.host.returns, 1);
        EXPECT_EQ(g.state().openedTotal, 23);
    }
}

class AcceptAtStage : public testing::TestWithParam<int>
{ };

TEST_P(AcceptAtStage, acceptingShowsSoldThenSlidesAndTellsTheVerdict)
{
    const int stage = GetParam();
    for (std::uint32_t seed = 1; seed <= 10; ++seed) {
        TestGame g { ScriptedRandom(seed * 7919u), "BOB" };
        const Played p = play(g, 12, stage);
        ASSERT_EQ(g.host.offers, p.expectedOffers) << "seed " << seed;
        EXPECT_EQ(g.host.offers.size(), static_cast<std::size_t>(stage));
        ASSERT_EQ(g.host.told.size(), 2u);
        EXPECT_EQ(g.host.told[0], "SOLD!");
        EXPECT_EQ(g.host.told[1], p.expectedClosing);
        EXPECT_EQ(p.ticks, 516); // the start is the same wherever the game ends
        EXPECT_EQ(g.host.returns, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryOffer, AcceptAtStage, testing::Range(1, 9),
    [](const testing::TestParamInfo<int> &row) { return "stage" + std::to_string(row.param); });

// Own case $5, last other $10: the eighth offer is (5 + 10) / 2 × 0.725 = 5.4375, so 5.
class TieGame : public testing::Test
{
protected:
    static ScriptedRandom tieBoard()
    {
        std::array<int, CaseCount> a = identityAssignment();
        std::swap(a[0], a[23]); // case 0 holds "5"
        std::swap(a[22], a[24]); // case 24, opened last, holds "10"
        return ScriptedRandom::forAssignment(a);
    }
};

TEST_F(TieGame, refusingAnOfferEqualToTheCaseIsTheWrongChoiceByZero)
{
    TestGame g { tieBoard(), "CAROL" };
    const Played p = play(g, 0, 0);
    EXPECT_EQ(g.state().currentOffer, 5);
    ASSERT_EQ(g.host.told.size(), 1u);
    EXPECT_EQ(g.host.told[0],
        "You rejected the banker's offer and kept your case. Your case contained $5. Looks like "
        "you made the wrong choice, considering that your case contained $0 less than what the "
        "banker was offering you. At least you left with $5. Better luck next time, and thank you "
        "for playing Zumo or No Zumo.");
    EXPECT_EQ(g.host.offers.back(), offerPrompt("CAROL", 5));
}

TEST_F(TieGame, acceptingAnOfferEqualToTheCaseIsTheWrongChoiceByZero)
{
    TestGame g { tieBoard(), "CAROL" };
    play(g, 0, 8);
    ASSERT_EQ(g.host.told.size(), 2u);
    EXPECT_EQ(g.host.told[1],
        "You accepted the banker's offer. Your case contained $5. Looks like you made the wrong "
        "choice, considering that the banker was offering you $0 less than what your case "
        "contained. At least you left with $5. Better luck next time, and thank you for playing "
        "Zumo or No Zumo.");
}
