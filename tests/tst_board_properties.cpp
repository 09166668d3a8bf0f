// Random play, many seeds: after every event the board's invariants hold, whatever was clicked.
#include "support/scripted.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

using namespace zumo;

namespace {

// The test's own record of which cases play has opened; the board is not asked.
using Opened = std::array<bool, CaseCount>;

void checkInvariants(const TestGame &g, const Opened &opened, std::size_t offersSoFar)
{
    const BoardState &s = g.state();
    std::vector<std::string> tags;
    int visible = 0;
    int openedCount = 0;
    for (int i = 0; i < CaseCount; ++i) {
        tags.push_back(s.lblCase[i].Tag);
        visible += s.lblCase[i].Visible;
        openedCount += opened[i];
        if (opened[i]) {
            ASSERT_FALSE(s.lblCase[i].Visible || s.lblCase[i].Enabled) << "case " << i;
            ASSERT_EQ(s.lblCase[i].Caption, s.lblCase[i].Tag);
        }
    }
    static const std::vector<std::string> amounts = [] {
        std::vector<std::string> texts(AmountTexts.begin(), AmountTexts.end());
        std::sort(texts.begin(), texts.end());
        return texts;
    }();
    std::sort(tags.begin(), tags.end());
    ASSERT_EQ(tags, amounts);

    ASSERT_GE(s.stage, 0);
    ASSERT_LE(s.stage, 10);
    ASSERT_EQ(openedCount, s.stage == 0 ? 0 : s.openedTotal);
    ASSERT_FALSE(s.stage != 0 && s.lblCase[s.chosenCase].Enabled);
    ASSERT_LE(s.openedTotal, 23);
    if (s.stage >= 1 && s.stage <= 8) {
        ASSERT_EQ(visible, 25 - s.openedTotal);
        ASSERT_GE(s.openedThisStage, 0);
        ASSERT_LT(s.openedThisStage, s.picksPerStage[s.stage]);
    }
    if (s.stage >= 9) {
        ASSERT_EQ(visible, 1);
    }
    ASSERT_EQ(s.tmrMoveCase.Enabled, s.stage >= 9 && g.host.returns == 0);
    ASSERT_LE(offersSoFar, 8u);

    std::vector<std::string> openedCaptions;
    for (int i = 0; i < CaseCount; ++i) {
        if (opened[i])
            openedCaptions.push_back("$" + s.lblCase[i].Tag);
    }
    for (const auto &v : s.lblValues) {
        const bool amountOpened = std::find(openedCaptions.begin(), openedCaptions.end(), v.Caption)
            != openedCaptions.end();
        ASSERT_EQ(v.ForeColor == White, amountOpened) << v.Caption;
    }
}

} // namespace

TEST(BoardProperties, invariantsHoldAfterEveryEventOfRandomPlay)
{
    for (std::uint32_t seed = 1; seed <= 200; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        TestGame g { ScriptedRandom(seed) };
        std::mt19937 play(seed);
        g.host.answer = [&](int) { return play() % 6 == 0; };
        Opened opened {};
        checkInvariants(g, opened, 0);
        for (int event = 0; event < 400 && g.host.returns == 0; ++event) {
            if (play() % 10 < 7) {
                const int index = static_cast<int>(play() % 29) - 2; // a few out of range
                const BoardState &s = g.state();
                if (s.stage >= 1 && s.stage <= 8 && index >= 0 && index < CaseCount
                    && s.lblCase[index].Visible && s.lblCase[index].Enabled)
                    opened[index] = true;
                g.board.lblCase_Click(index);
            } else {
                g.board.tmrMoveCase_Timer();
            }
            checkInvariants(g, opened, g.host.offers.size());
            if (testing::Test::HasFatalFailure())
                return;
        }
        while (g.host.returns == 0 && g.state().stage >= 9)
            g.board.tmrMoveCase_Timer();
        EXPECT_LE(g.host.returns, 1);
    }
}
