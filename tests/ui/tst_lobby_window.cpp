// The lobby window: its frame, labels, hover highlight, menus and commands, through real input.
#include "shell/messages.h"
#include "ui_test_support.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zumo::test {
namespace {

using LobbyWindow = UiTest;

TEST_F(LobbyWindow, hasTheDesignedClientAreaBelowItsMenuBarCentredAndFixed)
{
    expectFrame(lobby(), QSize(288, 402));
}

TEST_F(LobbyWindow, drawsEveryLabelInItsDesignedBoxFontAndColours)
{
    for (const auto &d : design::LobbyLabels) {
        expectDrawnAsDesigned(
            label(lobby(), d.control), d, pixelBox(d.Left, d.Top, d.Width, d.Height));
        EXPECT_EQ(label(lobby(), d.control)->text(), fromView(d.Caption));
    }
}

TEST_F(LobbyWindow, growsOnlyTheCommandUnderThePointerAndKeepsItGrownAfterThePointerLeaves)
{
    EXPECT_EQ(commandPixelSizes(lobby()), std::vector<int>(4, Plain));
    const QRect exitBox = label(lobby(), "lblExit")->geometry();

    // Down the column from New Game to Exit the Game: each in turn is the large one.
    for (std::size_t i = 0; i < design::LobbyCommandLabels.size(); ++i) {
        QTest::mouseMove(label(lobby(), design::LobbyCommandLabels[i]));
        std::vector<int> expected(4, Plain);
        expected[i] = Hovered;
        EXPECT_EQ(commandPixelSizes(lobby()), expected) << "over label " << i;
    }

    // Onto the title, then the bare background: nothing resets the sizes or moves the box.
    QTest::mouseMove(label(lobby(), "lblTitle"));
    QTest::mouseMove(lobby()->centralWidget(), QPoint(284, 398));
    EXPECT_EQ(commandPixelSizes(lobby()), (std::vector<int> { Plain, Plain, Plain, Hovered }));
    EXPECT_EQ(label(lobby(), "lblExit")->geometry(), exitBox);
    EXPECT_TRUE(label(lobby(), "lblExit")->font().bold());
}

TEST_F(LobbyWindow, keepsItsLightFaceWhileTheDesktopTurnsDarkAndFollowsTheDesktopBack)
{
    const QImage light = lobby()->grab().toImage();
    const QPoint bareFace = lobby()->centralWidget()->geometry().bottomRight();
    {
        DarkScheme dark;
        const QImage drawn = lobby()->grab().toImage();
        EXPECT_EQ(drawn.pixelColor(bareFace).name(), light.pixelColor(bareFace).name());
        for (const auto &d : design::LobbyLabels)
            EXPECT_GE(drawnContrast(drawn, label(lobby(), d.control)), 4.5) << d.control;
    }
    EXPECT_TRUE(lobby()->grab().toImage() == light) << "not drawn as before the dark scheme";
}

TEST_F(LobbyWindow, offersExactlyTheDesignedMenuItemsInOrderWithTheirShortcuts)
{
    EXPECT_EQ(menuListing(lobby()),
        (QStringList { QStringLiteral("File: New Game Ctrl+N, Exit Ctrl+X"),
            QStringLiteral("Help: How to Play Ctrl+H, About the Game Ctrl+A") }));
}

TEST_F(LobbyWindow, keepsAClickedCommandGrownWhileItsBoxIsOpenAndAfterwards)
{
    QLabel *help = label(lobby(), "lblHelp");
    QTest::mouseMove(help);
    int sizeWhileOpen = 0;
    BoxScript boxes;
    boxes.then([&](QMessageBox &box) {
        sizeWhileOpen = help->font().pixelSize();
        answer::clickOk(box);
    });
    click(help);
    EXPECT_EQ(sizeWhileOpen, Hovered);
    EXPECT_EQ(help->font().pixelSize(), Hovered);
}

TEST_F(LobbyWindow, ignoresClicksOnTheTitleAndTheBackground)
{
    BoxScript boxes;
    frmMenu *before = lobby();
    click(label(lobby(), "lblTitle"));
    QTest::mouseClick(lobby()->centralWidget(), Qt::LeftButton, {}, QPoint(10, 390));
    EXPECT_EQ(lobby(), before);
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(programEnds, 0);
}

// One lobby command reached one way: the label, its menu item or its shortcut.
struct Route
{
    const char *name;
    std::function<void(frmMenu *)> invoke;
    std::string_view boxText; // empty: the command opens no box
};
const auto rowName = [](const auto &row) { return std::string(row.param.name); };

class LobbyInformation : public UiTest, public testing::WithParamInterface<Route>
{ };

TEST_P(LobbyInformation, opensOnePlainOkBoxWithTheTextAndLeavesTheLobbyAsItWas)
{
    BoxScript boxes;
    boxes.then(answer::clickOk);
    frmMenu *before = lobby();
    GetParam().invoke(lobby());

    ASSERT_EQ(boxes.seen().size(), 1u);
    const SeenBox &box = boxes.seen()[0];
    EXPECT_EQ(box.text, fromView(GetParam().boxText));
    EXPECT_EQ(box.title, QStringLiteral("Zumo or No Zumo"));
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.shownFormat, Qt::PlainText);
    EXPECT_TRUE(box.applicationModal);
    EXPECT_EQ(lobby(), before);
    EXPECT_TRUE(before->isVisible());
}

INSTANTIATE_TEST_SUITE_P(FromLabelMenuAndShortcut, LobbyInformation,
    testing::Values(
        Route { "HowToPlayLabel", [](frmMenu *w) { click(label(w, "lblHelp")); }, howToPlayText() },
        Route { "HowToPlayMenu",
            [](frmMenu *w) { menuItem(w, QStringLiteral("How to Play"))->trigger(); },
            howToPlayText() },
        Route { "CtrlH", [](frmMenu *w) { ctrlKey(w, Qt::Key_H); }, howToPlayText() },
        Route { "AboutLabel", [](frmMenu *w) { click(label(w, "lblAbout")); }, aboutText() },
        Route { "AboutMenu",
            [](frmMenu *w) { menuItem(w, QStringLiteral("About the Game"))->trigger(); },
            aboutText() },
        Route { "CtrlA", [](frmMenu *w) { ctrlKey(w, Qt::Key_A); }, aboutText() }),
    rowName);

class LobbyExit : public UiTest, public testing::WithParamInterface<Route>
{ };

TEST_P(LobbyExit, endsTheProgramAtOnceWithoutAnyBox)
{
    BoxScript boxes;
    QPointer<frmMenu> was = lobby();
    GetParam().invoke(lobby());
    EXPECT_EQ(programEnds, 1);
    EXPECT_EQ(nav->current(), nullptr);
    EXPECT_TRUE(boxes.seen().empty());
    flushDeferredDeletes();
    EXPECT_TRUE(was.isNull());
}

INSTANTIATE_TEST_SUITE_P(FromLabelMenuShortcutAndFrame, LobbyExit,
    testing::Values(Route { "ExitLabel", [](frmMenu *w) { click(label(w, "lblExit")); }, {} },
        Route {
            "ExitMenu", [](frmMenu *w) { menuItem(w, QStringLiteral("Exit"))->trigger(); }, {} },
        Route { "CtrlX", [](frmMenu *w) { ctrlKey(w, Qt::Key_X); }, {} },
        Route { "ClosingTheFrame", [](frmMenu *w) { w->close(); }, {} }),
    rowName);

} // namespace
} // namespace zumo::test
