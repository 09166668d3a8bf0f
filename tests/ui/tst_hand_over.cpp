// Whole games through the real windows, and every hand-over between lobby and board.
#include "shell/messages.h"
#include "ui_test_support.h"

#include <QApplication>
#include <functional>
#include <string>
#include <vector>

namespace zumo::test {
namespace {

using WholeGame = UiTest;
using HandOver = UiTest;

const std::vector<int> AllAt18Point(4, 24);

QWidgetList visibleWindows()
{
    QWidgetList shown;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            shown << w;
    }
    return shown;
}

TEST_F(WholeGame, refusingEveryOfferSlidesTheCaseOpensItAndBringsTheLobbyBack)
{
    QPointer<frmViewer> game = newGame();
    BoxScript boxes;
    playToTheSlide(24, 8, boxes); // case 25, holding $1
    QString captionBehindBox;
    QPoint placeBehindBox;
    boxes.then([&](QMessageBox &box) {
        captionBehindBox = caseLabel(game, 24)->text();
        placeBehindBox = caseLabel(game, 24)->pos();
        answer::clickOk(box);
    });
    EXPECT_EQ(tickUntilHandOver(game), 516);

    ASSERT_EQ(boxes.seen().size(), 9u);
    EXPECT_TRUE(boxes.seen()[8].text.startsWith(QStringLiteral(
        "You rejected the banker's offer and kept your case. Your case contained $1.")));
    EXPECT_EQ(boxes.seen()[8].buttons, QMessageBox::Ok);
    EXPECT_EQ(captionBehindBox, QStringLiteral("1"));
    EXPECT_EQ(placeBehindBox, QPoint(400, 128));
    ASSERT_NE(lobby(), nullptr);
    EXPECT_EQ(visibleWindows(), (QWidgetList { lobby() }));
    EXPECT_EQ(commandPixelSizes(lobby()), AllAt18Point);
    flushDeferredDeletes();
    EXPECT_TRUE(game.isNull());
}

TEST_F(WholeGame, acceptingAnOfferSaysSoldThenSlidesAndComparesWithTheOffer)
{
    QPointer<frmViewer> game = newGame();
    BoxScript boxes;
    playToTheSlide(0, 2, boxes); // case 1, holding $1,000,000; the third offer accepted
    ASSERT_EQ(boxes.seen().size(), 4u);
    EXPECT_EQ(boxes.seen()[3].text, QStringLiteral("SOLD!"));
    for (int i = 1; i < CaseCount; ++i)
        EXPECT_FALSE(caseLabel(game, i)->isVisible()) << i;

    boxes.then(answer::pressReturn);
    EXPECT_EQ(tickUntilHandOver(game), 516);
    ASSERT_EQ(boxes.seen().size(), 5u);
    EXPECT_TRUE(boxes.seen()[4].text.startsWith(
        QStringLiteral("You accepted the banker's offer. Your case contained $1,000,000. Looks "
                       "like you made the wrong")));
    EXPECT_NE(lobby(), nullptr);
    flushDeferredDeletes();
    EXPECT_TRUE(game.isNull());
}

// One way of starting a game from the lobby.
struct NewGameRoute
{
    const char *name;
    std::function<void(frmMenu *)> invoke;
};

class HandOverNewGame : public UiTest, public testing::WithParamInterface<NewGameRoute>
{ };

TEST_P(HandOverNewGame, showsAFreshBoardThenUnloadsTheLobby)
{
    QPointer<frmMenu> was = lobby();
    GetParam().invoke(lobby());
    frmViewer *b = board();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(visibleWindows(), (QWidgetList { b }));
    EXPECT_EQ(b->state().stage, 0);
    EXPECT_EQ(label(b, "lblTask")->text(), QString::fromStdString(b->state().lblTask.Caption));
    for (int i = 0; i < CaseCount; ++i)
        EXPECT_TRUE(caseLabel(b, i)->isVisible() && caseLabel(b, i)->isEnabled()) << i;
    EXPECT_TRUE(QTest::qWaitForWindowActive(b));
    flushDeferredDeletes();
    EXPECT_TRUE(was.isNull());
}

INSTANTIATE_TEST_SUITE_P(FromLabelMenuAndShortcut, HandOverNewGame,
    testing::Values(NewGameRoute { "NewGameLabel", [](frmMenu *w) { click(label(w, "lblNew")); } },
        NewGameRoute {
            "NewGameMenu", [](frmMenu *w) { menuItem(w, QStringLiteral("New Game"))->trigger(); } },
        NewGameRoute { "CtrlN", [](frmMenu *w) { ctrlKey(w, Qt::Key_N); } }),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(HandOver, returnToLobbyMidGameReadsTheNameAgainAndStartsEveryCommandAt18Point)
{
    QTest::mouseMove(label(lobby(), "lblNew"));
    QPointer<frmViewer> first = newGame();
    click(caseLabel(first, 3));
    click(caseLabel(first, 4));

    env.variables["NWUSERNAME"] = "second player";
    ctrlKey(first, Qt::Key_R);
    ASSERT_NE(lobby(), nullptr);
    EXPECT_EQ(visibleWindows(), (QWidgetList { lobby() }));
    EXPECT_EQ(commandPixelSizes(lobby()), AllAt18Point);
    flushDeferredDeletes();
    EXPECT_TRUE(first.isNull());

    ASSERT_TRUE(QTest::qWaitForWindowActive(lobby()));
    frmViewer *second = newGame();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->state().stage, 0);
    EXPECT_TRUE(caseLabel(second, 4)->isVisible());
    BoxScript boxes;
    boxes.then(answer::clickNo);
    playFirstStage(second);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_TRUE(
        boxes.seen()[0].text.contains(QStringLiteral("hmmm... SECOND PLAYER... the banker")));
}

TEST_F(HandOver, returnToLobbyDuringTheSlideShowsNoClosingMessage)
{
    QPointer<frmViewer> game = newGame();
    BoxScript boxes;
    playToTheSlide(24, 8, boxes);
    const QPoint start = caseLabel(game, 24)->pos();
    QTest::qWait(100); // the real timer slides the case a few steps
    EXPECT_NE(caseLabel(game, 24)->pos(), start);

    ctrlKey(game, Qt::Key_R);
    ASSERT_NE(lobby(), nullptr);
    QTest::qWait(100); // a tick that still reached the board would open the closing box
    EXPECT_TRUE(game.isNull());
    EXPECT_EQ(boxes.seen().size(), 8u);
    EXPECT_EQ(visibleWindows(), (QWidgetList { lobby() }));
}

// The slide goes on behind a box opened from the board's menu, and the game ends under it.
TEST_F(HandOver, howToPlayOpenedDuringTheSlideStaysSafeWhileTheGameEndsAndTheBoardIsUnloaded)
{
    QPointer<frmViewer> game = newGame();
    BoxScript boxes;
    playToTheSlide(24, 8, boxes);

    QPoint placeWhenClosing;
    bool boardGoneWhenUncovered = false;
    bool lobbyShownWhenUncovered = false;
    boxes
        .then(answer::leaveOpen) // How to Play, while the real timer runs the slide to its end
        .then([&](QMessageBox &box) {
            placeWhenClosing = caseLabel(game, 24)->pos();
            answer::clickOk(box);
        })
        .then([&](QMessageBox &box) { // How to Play again, uncovered
            boardGoneWhenUncovered = game.isNull();
            lobbyShownWhenUncovered = lobby() && lobby()->isVisible();
            answer::clickOk(box);
        });
    ctrlKey(game, Qt::Key_H); // returns once How to Play is closed

    ASSERT_EQ(boxes.seen().size(), 11u);
    EXPECT_EQ(boxes.seen()[8].text, fromView(howToPlayText()));
    EXPECT_TRUE(boxes.seen()[9].text.startsWith(QStringLiteral("You rejected the banker's offer")));
    EXPECT_EQ(boxes.seen()[10].text, fromView(howToPlayText()));
    EXPECT_EQ(placeWhenClosing, QPoint(400, 128));
    EXPECT_TRUE(boardGoneWhenUncovered);
    EXPECT_TRUE(lobbyShownWhenUncovered);
    ASSERT_NE(lobby(), nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(lobby()));
}

struct ExitRoute
{
    const char *name;
    std::function<void(frmViewer *)> invoke;
};

class HandOverExit : public UiTest, public testing::WithParamInterface<ExitRoute>
{ };

TEST_P(HandOverExit, fromTheBoardEndsTheProgramAtOnceEvenDuringTheSlide)
{
    QPointer<frmViewer> game = newGame();
    BoxScript boxes;
    playToTheSlide(24, 8, boxes);
    GetParam().invoke(game);
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(nav->current(), nullptr);
    QTest::qWait(50);
    EXPECT_TRUE(game.isNull());
    EXPECT_EQ(boxes.seen().size(), 8u);
}

INSTANTIATE_TEST_SUITE_P(FromMenuShortcutAndFrame, HandOverExit,
    testing::Values(ExitRoute { "ExitMenu",
                        [](frmViewer *w) { menuItem(w, QStringLiteral("Exit"))->trigger(); } },
        ExitRoute { "CtrlX", [](frmViewer *w) { ctrlKey(w, Qt::Key_X); } },
        ExitRoute { "ClosingTheFrame", [](frmViewer *w) { w->close(); } }),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(HandOver, twoHundredNewGameAndReturnToLobbyCyclesLeaveNoWidgetBehind)
{
    flushDeferredDeletes();
    const auto widgetsAtStart = QApplication::allWidgets().size();
    for (int cycle = 0; cycle < 200; ++cycle) {
        ASSERT_NE(newGame(), nullptr) << cycle;
        ctrlKey(board(), Qt::Key_R);
        ASSERT_NE(lobby(), nullptr) << cycle;
        ASSERT_TRUE(QTest::qWaitForWindowActive(lobby())) << cycle;
        flushDeferredDeletes();
    }
    EXPECT_EQ(QApplication::allWidgets().size(), widgetsAtStart);
}

} // namespace
} // namespace zumo::test
