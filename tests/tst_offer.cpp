// The banker's offer: the mean of the amounts in play times the stage's factor, rounded half to even.
#include "board/numbers.h"
#include "support/scripted.h"

#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace zumo;

namespace {

// A board in the given stage with exactly the cases holding these amount texts still in play.
int offerWith(int stage, std::vector<std::string> inPlay, std::int32_t previousOffer = -1)
{
    TestGame g { ScriptedRandom::forAssignment(identityAssignment()) };
    BoardState &s = g.poke();
    int visible = 0;
    for (auto &c : s.lblCase) {
        c.Visible = std::find(inPlay.begin(), inPlay.end(), c.Tag) != inPlay.end();
        visible += c.Visible;
    }
    s.stage = static_cast<std::int16_t>(stage);
    s.openedTotal = static_cast<std::int16_t>(CaseCount - visible);
    s.currentOffer = previousOffer;
    BoardProbe::CalculateOffer(g.board);
    return s.currentOffer;
}

} // namespace

TEST(Offer, isTheMeanOfTheAmountsInPlayTimesTheStageFactor)
{
    std::vector<std::string> all(AmountTexts.begin(), AmountTexts.end());
    std::vector<std::string> withoutSmallest(all.begin(), all.end() - 6); // $1 … $75 opened
    EXPECT_EQ(offerWith(1, withoutSmallest), 39580); // 3418250 / 19 × 0.22 = 39579.74
    EXPECT_EQ(offerWith(8, { "1,000,000", "1" }), 362500); // 362500.3625
    EXPECT_EQ(offerWith(8, { "1,000,000", "750,000" }), 634375); // exact
    EXPECT_EQ(offerWith(2, all), 36919); // 3418416 / 25 × 0.27 = 36918.89
}

TEST(Offer, exactHalvesGoToTheEvenNeighbour)
{
    EXPECT_EQ(offerWith(7, { "1", "10", "100" }), 18); // 37 × 0.5 = 18.5
    EXPECT_EQ(offerWith(7, { "1,000,000", "750,000", "5" }), 291668); // 291667.5
}

TEST(Offer, outsideTheOfferStagesTheLastOfferIsKept)
{
    for (const int stage : { 0, 9, 10, -1, 11 })
        EXPECT_EQ(offerWith(stage, { "1", "5" }, 4242), 4242) << "stage " << stage;
}

TEST(Offer, thePlayersOwnCaseAlwaysCounts)
{
    TestGame g { ScriptedRandom::forAssignment(identityAssignment()) };
    g.board.lblCase_Click(0); // the player keeps the million
    for (int i = 19; i < 25; ++i)
        g.board.lblCase_Click(i); // open $75 … $1
    ASSERT_EQ(g.host.offers.size(), 1u);
    EXPECT_EQ(g.state().currentOffer, 39580);
}

TEST(Numbers, roundHalfEvenRoundsTiesToEvenOnBothSidesOfZero)
{
    EXPECT_EQ(roundHalfEven(18.5), 18);
    EXPECT_EQ(roundHalfEven(19.5), 20);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(39579.74), 39580);
    EXPECT_EQ(roundHalfEven(362500.3625), 362500);
    EXPECT_EQ(roundHalfEven(2.4999999999), 2);
}

TEST(Numbers, amountTextsReadWithThousandsCommas)
{
    EXPECT_EQ(amountValue("1,000,000"), 1000000);
    EXPECT_EQ(amountValue("750"), 750);
    EXPECT_EQ(amountValue("1"), 1);
    EXPECT_EQ(amountValue(""), 0);
    EXPECT_EQ(amountValue("12x3"), 12);
}
