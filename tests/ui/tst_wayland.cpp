// The real windows on native Wayland, under a headless compositor that on-desktop.sh starts.
#include "ui_test_support.h"

#include <QGuiApplication>

namespace zumo::test {
namespace {

using OnWayland = UiTest;

// The compositor places and activates the windows. A headless one has no seat and activates none,
// so menu shortcuts never fire: the player uses the pointer, and answers the box by key.
TEST_F(OnWayland, playsFromTheLobbyThroughAnOfferAndBackWithTheDesignedClientAreas)
{
    ASSERT_TRUE(QGuiApplication::platformName().startsWith(QLatin1String("wayland")));
    expectFrame(lobby(), QSize(288, 402));

    click(label(lobby(), "lblNew"));
    frmViewer *game = board();
    ASSERT_NE(game, nullptr);
    ASSERT_TRUE(waitUntilShown(game));
    expectFrame(game, QSize(865, 581));

    BoxScript boxes;
    boxes.then(answer::pressEscape);
    playFirstStage(game);
    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_TRUE(boxes.seen()[0].text.startsWith(QStringLiteral("Ring... Ring... Ring...")));
    EXPECT_EQ(game->state().stage, 2);
    EXPECT_FALSE(caseLabel(game, 5)->isVisible());

    // What the maximise button of Qt's own title bar does: the compositor's size is taken, the
    // client area stays where it was, and the connection (and the game) survives.
    const QPoint client = game->centralWidget()->pos();
    game->windowHandle()->setWindowStates(Qt::WindowMaximized);
    EXPECT_TRUE(QTest::qWaitFor([&] { return game->width() > 865; }));
    click(caseLabel(game, 6)); // drawn and committed at the new size
    EXPECT_EQ(game->centralWidget()->pos(), client);
    game->windowHandle()->setWindowStates(Qt::WindowNoState);
    EXPECT_TRUE(QTest::qWaitFor([&] { return game->width() == 865; }));
    expectFrame(game, QSize(865, 581));

    menuItem(game, QStringLiteral("Return to Lobby"))->trigger();
    ASSERT_NE(lobby(), nullptr);
    ASSERT_TRUE(waitUntilShown(lobby()));
    expectFrame(lobby(), QSize(288, 402));

    click(label(lobby(), "lblExit"));
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(nav->current(), nullptr);
}

} // namespace
} // namespace zumo::test
