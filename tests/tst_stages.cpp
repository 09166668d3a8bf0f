// Clicks on cases: choosing the player's case, opening cases, the banker's call and its answers.
#include "support/scripted.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

using namespace zumo;

namespace {

std::string pickText(int n)
{
    if (n == 1)
        return "Now you have to pick 1 case (by clicking on it) to open. This case will affect how "
               "much the banker will bid on your case and your chances of getting the $1,000,000 "
               "case.";
    return "Now you have to pick " + std::to_string(n)
        + " cases (by clicking on them) to open. These cases will affect how much the banker will "
          "bid on your case and your chances of getting the $1,000,000 case.";
}

// Opens the next n closed cases other than the player's, lowest index first.
void openCases(TestGame &g, int n)
{
    for (int i = 0; i < CaseCount && n > 0; ++i) {
        const CaseSlot &c = g.state().lblCase[i];
        if (c.Visible && c.Enabled) {
            g.board.lblCase_Click(i);
            --n;
        }
    }
}

} // namespace

TEST(Stages, firstClickMakesThatCaseThePlayersOwnBelowYourCase)
{
    TestGame g;
    g.board.lblCase_Click(12);
    const CaseSlot &own = g.state().lblCase[12];
    EXPECT_EQ(own.Left, 11040);
    EXPECT_EQ(own.Top, 7080);
    EXPECT_EQ(own.Caption, "13");
    EXPECT_FALSE(own.Enabled);
    EXPECT_TRUE(own.Visible);
    EXPECT_EQ(g.state().chosenCase, 12);
    EXPECT_EQ(g.state().stage, 1);
    EXPECT_EQ(g.state().openedTotal, 0);
    EXPECT_EQ(g.state().openedThisStage, 0);
    EXPECT_EQ(g.state().lblTask.Caption, pickText(6));

    g.board.lblCase_Click(12); // disabled now: the platform raises no click
    EXPECT_EQ(g.state().stage, 1);
    EXPECT_EQ(g.state().openedTotal, 0);
}

TEST(Stages, openingACaseWhitensExactlyItsAmountAndHidesIt)
{
    TestGame g { ScriptedRandom::forAssignment(identityAssignment()) };
    g.board.lblCase_Click(0); // the player's case holds $1,000,000
    g.board.lblCase_Click(1); // holds "750,000"
    const CaseSlot &opened = g.state().lblCase[1];
    EXPECT_EQ(opened.Caption, "750,000");
    EXPECT_FALSE(opened.Visible);
    EXPECT_FALSE(opened.Enabled);
    EXPECT_EQ(opened.Left, 11040);
    EXPECT_EQ(opened.Top, 2760);
    for (int v = 0; v < CaseCount; ++v)
        EXPECT_EQ(g.state().lblValues[v].ForeColor, v == 1 ? White : ButtonText) << "value " << v;
}

TEST(Stages, clicksOnMissingHiddenOrDisabledCasesDoNothing)
{
    TestGame g;
    g.board.lblCase_Click(-1);
    g.board.lblCase_Click(25);
    g.board.lblCase_Click(32767);
    EXPECT_EQ(g.state().stage, 0);
    g.board.lblCase_Click(4);
    g.board.lblCase_Click(7);
    const BoardState before = g.state();
    g.board.lblCase_Click(7);
    g.board.lblCase_Click(4);
    g.board.lblCase_Click(-32768);
    EXPECT_EQ(g.state().openedTotal, before.openedTotal);
    EXPECT_EQ(g.state().openedThisStage, before.openedThisStage);
    EXPECT_TRUE(g.host.offers.empty());
}

TEST(Stages, instructionNamesTheWholeQuotaAndDoesNotCountDown)
{
    TestGame g;
    g.board.lblCase_Click(0);
    openCases(g, 3);
    EXPECT_EQ(g.state().lblTask.Caption, pickText(6));
}

// While the banker's box is open the player sees the stage's last case gone and no instruction.
TEST(Stages, sixthCaseOfStageOneBringsTheOfferWithTheNextStageAlreadySet)
{
    TestGame g;
    g.board.lblCase_Click(0);
    openCases(g, 5);
    EXPECT_TRUE(g.host.offers.empty());
    BoardState seen;
    g.host.onBox = [&](const std::string &) { seen = g.state(); };
    openCases(g, 1);
    ASSERT_EQ(g.host.offers.size(), 1u);
    EXPECT_EQ(seen.stage, 2);
    EXPECT_EQ(seen.lblTask.Caption, "");
    EXPECT_EQ(seen.openedTotal, 6);
    EXPECT_EQ(g.state().openedThisStage, 0);
    EXPECT_EQ(g.state().lblTask.Caption, pickText(5));
}

// With an empty name the greeting runs straight into the offer: nothing is added between pieces.
TEST(Stages, offerPromptGreetsThePlayerByNameAndStatesTheOfferInPlainDigits)
{
    const std::pair<std::string, std::string> rows[] = {
        { "PLAYER",
            "Ring... Ring... Ring... Hello? Yes, hmmm... PLAYER... the banker is offering you "
            "$39580. Do you accept?" },
        { "",
            "Ring... Ring... Ring... Hello? Yes, hmmm... ... the banker is offering you $39580. Do "
            "you accept?" },
    };
    for (const auto &[name, prompt] : rows) {
        TestGame g { ScriptedRandom::forAssignment(identityAssignment()), name };
        g.board.lblCase_Click(0);
        for (int i = 19; i < 25; ++i)
            g.board.lblCase_Click(i);
        ASSERT_EQ(g.host.offers.size(), 1u);
        EXPECT_EQ(g.host.offers[0], prompt);
    }
}

TEST(Stages, refusingTheThirdOfferStartsStageFourWithThreeCasesToPick)
{
    TestGame g;
    g.board.lblCase_Click(0);
    openCases(g, 6 + 5 + 4);
    EXPECT_EQ(g.host.offers.size(), 3u);
    EXPECT_EQ(g.state().stage, 4);
    EXPECT_EQ(g.state().openedThisStage, 0);
    EXPECT_EQ(g.state().openedTotal, 15);
    EXPECT_EQ(g.state().lblTask.Caption, pickText(3));
    EXPECT_FALSE(g.state().tmrMoveCase.Enabled);
}

TEST(Stages, eachStageAsksForItsQuotaSingularFromStageSix)
{
    TestGame g;
    g.board.lblCase_Click(0);
    const int quotas[] = { 6, 5, 4, 3, 2, 1, 1, 1 };
    for (int stage = 1; stage <= 8; ++stage) {
        ASSERT_EQ(g.state().stage, stage);
        EXPECT_EQ(g.state().lblTask.Caption, pickText(quotas[stage - 1])) << "stage " << stage;
        openCases(g, quotas[stage - 1]);
    }
    EXPECT_EQ(g.host.offers.size(), 8u);
}

TEST(Stages, acceptingShowsSoldBeforeTheStageBecomesTen)
{
    TestGame g;
    g.host.answer = [](int) { return true; };
    std::vector<int> stageAtBox;
    g.host.onBox = [&](const std::string &) { stageAtBox.push_back(g.state().stage); };
    g.board.lblCase_Click(5);
    openCases(g, 6);
    ASSERT_EQ(g.host.told.size(), 1u);
    EXPECT_EQ(g.host.told[0], "SOLD!");
    EXPECT_EQ(stageAtBox, (std::vector<int> { 2, 2 })); // offer box, then SOLD! box
    EXPECT_EQ(g.state().stage, 10);
    EXPECT_EQ(g.state().lblTask.Caption, "");
    EXPECT_TRUE(g.state().tmrMoveCase.Enabled);
    for (int i = 0; i < CaseCount; ++i)
        EXPECT_EQ(g.state().lblCase[i].Visible, i == 5) << "case " << i;
}

TEST(Stages, thePlayersOwnAmountIsNeverWhitenedByPlay)
{
    TestGame g;
    g.board.lblCase_Click(9);
    openCases(g, 23);
    ASSERT_EQ(g.state().stage, 9);
    int whites = 0;
    for (const auto &v : g.state().lblValues) {
        whites += v.ForeColor == White;
        if (v.Caption == "$" + g.state().lblCase[9].Tag) {
            EXPECT_EQ(v.ForeColor, ButtonText);
        }
    }
    EXPECT_EQ(whites, 23);
}
