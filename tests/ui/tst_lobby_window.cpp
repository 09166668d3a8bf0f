// The lobby window: its frame, labels, hover highlight, menus and commands, through real input.
#include "shell/messages.h"
#include "ui_test_support.h"

#include <QMenuBar>
#include <QTest>

namespace zumo::test {
namespace {

using LobbyWindow = UiTest;

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::vector<int> commandPixelSizes(const frmMenu *lobby)
{
    std::vector<int> sizes;
    for (const auto name : design::LobbyCommandLabels)
        sizes.push_back(label(lobby, fromView(name))->font().pixelSize());
    return sizes;
}

constexpr int Hovered = 32; // 24 pt at 96 DPI
constexpr int Plain = 24; // 18 pt

TEST_F(LobbyWindow, hasTheDesignedClientAreaBelowItsMenuBarCentredAndFixed)
{
    expectFrame(lobby(), QSize(288, 402));
}

TEST_F(LobbyWindow, drawsEveryLabelInItsDesignedBoxFontAndColours)
{
    for (const auto &d : design::LobbyLabels) {
        const QLabel *l = label(lobby(), fromView(d.control));
        expectDrawnAsDesigned(l, d,
            QRect(design::pixels(d.Left), design::pixels(d.Top), design::pixels(d.Width),
                design::pixels(d.Height)));
        EXPECT_EQ(l->text(), fromView(d.Caption));
    }
}

TEST_F(LobbyWindow, growsTheCommandUnderThePointerAndKeepsItGrownAfterThePointerLeaves)
{
    EXPECT_EQ(commandPixelSizes(lobby()), std::vector<int>(4, Plain));

    // Down the column from New Game to Exit the Game: each in turn is the large one.
    for (std::size_t i = 0; i < design::LobbyCommandLabels.size(); ++i) {
        QTest::mouseMove(label(lobby(), fromView(design::LobbyCommandLabels[i])));
        std::vector<int> expected(4, Plain);
        expected[i] = Hovered;
        EXPECT_EQ(commandPixelSizes(lobby()), expected) << "over label " << i;
    }

    // Onto the title, then the bare background: nothing resets the sizes.
    QTest::mouseMove(label(lobby(), QStringLiteral("lblTitle")));
    QTest::mouseMove(lobby()->centralWidget(), QPoint(284, 398));
    EXPECT_EQ(commandPixelSizes(lobby()), (std::vector<int> { Plain, Plain, Plain, Hovered }));
}

TEST_F(LobbyWindow, keepsTheFontFamilyWeightAndBoxOfAGrownCommand)
{
    QLabel *about = label(lobby(), QStringLiteral("lblAbout"));
    const QRect box = about->geometry();
    QTest::mouseMove(about);
    EXPECT_EQ(about->font().pixelSize(), Hovered);
    EXPECT_TRUE(about->font().bold());
    EXPECT_EQ(about->font().families().value(0), QStringLiteral("Arial"));
    EXPECT_EQ(about->geometry(), box);
    EXPECT_EQ(about->text(), QStringLiteral("About the Game"));
}

TEST_F(LobbyWindow, offersExactlyTheDesignedMenuItemsInOrderWithTheirShortcuts)
{
    EXPECT_EQ(menuListing(lobby()),
        (QStringList { QStringLiteral("File: New Game Ctrl+N, Exit Ctrl+X"),
            QStringLiteral("Help: How to Play Ctrl+H, About the Game Ctrl+A") }));
}

// One information command, reached one way.
struct InfoRoute
{
    const char *name;
    const char *text; // of the box it must open
    std::function<void(frmMenu *)> invoke;
};

class LobbyInformation : public UiTest, public testing::WithParamInterface<InfoRoute>
{ };

TEST_P(LobbyInformation, opensOnePlainOkBoxWithTheTextAndLeavesTheLobbyAsItWas)
{
    BoxScript boxes;
    boxes.then(answer::clickOk);
    frmMenu *before = lobby();
    GetParam().invoke(lobby());

    ASSERT_EQ(boxes.seen().size(), 1u);
    const SeenBox &box = boxes.seen()[0];
    EXPECT_EQ(box.text, QString::fromUtf8(GetParam().text));
    EXPECT_EQ(box.title, QStringLiteral("Zumo or No Zumo"));
    EXPECT_EQ(box.buttons, QMessageBox::Ok);
    EXPECT_EQ(box.icon, QMessageBox::NoIcon);
    EXPECT_EQ(box.shownFormat, Qt::PlainText);
    EXPECT_TRUE(box.applicationModal);
    EXPECT_EQ(lobby(), before);
    EXPECT_TRUE(before->isVisible());
    EXPECT_EQ(programEnds, 0);
}

INSTANTIATE_TEST_SUITE_P(FromLabelMenuAndShortcut, LobbyInformation,
    testing::Values(InfoRoute { "HowToPlayLabel", howToPlayText().data(),
                        [](frmMenu *w) { click(label(w, QStringLiteral("lblHelp"))); } },
        InfoRoute { "HowToPlayMenu", howToPlayText().data(),
            [](frmMenu *w) { menuItem(w, QStringLiteral("How to Play"))->trigger(); } },
        InfoRoute { "CtrlH", howToPlayText().data(), [](frmMenu *w) { ctrlKey(w, Qt::Key_H); } },
        InfoRoute { "AboutLabel", aboutText().data(),
            [](frmMenu *w) { click(label(w, QStringLiteral("lblAbout"))); } },
        InfoRoute { "AboutMenu", aboutText().data(),
            [](frmMenu *w) { menuItem(w, QStringLiteral("About the Game"))->trigger(); } },
        InfoRoute { "CtrlA", aboutText().data(), [](frmMenu *w) { ctrlKey(w, Qt::Key_A); } }),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(LobbyWindow, keepsAClickedCommandGrownWhileItsBoxIsOpenAndAfterwards)
{
    QLabel *help = label(lobby(), QStringLiteral("lblHelp"));
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

struct ExitRoute
{
    const char *name;
    std::function<void(frmMenu *)> invoke;
};

class LobbyExit : public UiTest, public testing::WithParamInterface<ExitRoute>
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
    testing::Values(
        ExitRoute { "ExitLabel", [](frmMenu *w) { click(label(w, QStringLiteral("lblExit"))); } },
        ExitRoute {
            "ExitMenu", [](frmMenu *w) { menuItem(w, QStringLiteral("Exit"))->trigger(); } },
        ExitRoute { "CtrlX", [](frmMenu *w) { ctrlKey(w, Qt::Key_X); } },
        ExitRoute { "ClosingTheFrame", [](frmMenu *w) { w->close(); } }),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(LobbyWindow, ignoresClicksOnTheTitleAndTheBackground)
{
    BoxScript boxes;
    frmMenu *before = lobby();
    click(label(lobby(), QStringLiteral("lblTitle")));
    QTest::mouseClick(lobby()->centralWidget(), Qt::LeftButton, {}, QPoint(10, 390));
    EXPECT_EQ(lobby(), before);
    EXPECT_TRUE(boxes.seen().empty());
    EXPECT_EQ(programEnds, 0);
}

} // namespace
} // namespace zumo::test
