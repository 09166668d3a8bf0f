// The board window: its frame and 55 labels, clicks on cases, the offer box, the slide, menus.
#include "shell/messages.h"
#include "ui/classic_colours.h"
#include "ui_test_support.h"

#include <algorithm>
#include <optional>
#include <string>

namespace zumo::test {
namespace {

class BoardWindow : public UiTest
{
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_NE(newGame(), nullptr);
    }
    QLabel *task() const { return label(board(), "lblTask"); }
};

TEST_F(BoardWindow, hasTheDesignedClientAreaBelowItsMenuBarCentredAndFixed)
{
    expectFrame(board(), QSize(865, 581));
}

TEST_F(BoardWindow, drawsEveryFixedLabelAsDesignedAndEveryCaseAndValueWhereItsSlotIs)
{
    for (const auto &d : design::BoardLabels) {
        expectDrawnAsDesigned(
            label(board(), d.control), d, pixelBox(d.Left, d.Top, d.Width, d.Height));
        if (!d.Caption.empty()) {
            EXPECT_EQ(label(board(), d.control)->text(), fromView(d.Caption));
        }
    }
    const BoardState &s = board()->state();
    for (int i = 0; i < CaseCount; ++i) {
        const CaseSlot &c = s.lblCase[i];
        expectDrawnAsDesigned(
            caseLabel(board(), i), design::CaseLabel, pixelBox(c.Left, c.Top, c.Width, c.Height));
        EXPECT_EQ(caseLabel(board(), i)->text(), QString::fromStdString(c.Caption));
        const ValueSlot &v = s.lblValues[i];
        expectDrawnAsDesigned(
            valueLabel(board(), i), design::ValueLabel, pixelBox(v.Left, v.Top, v.Width, v.Height));
        EXPECT_EQ(valueLabel(board(), i)->text(), QString::fromStdString(v.Caption));
    }
    EXPECT_EQ(task()->text(), QString::fromStdString(s.lblTask.Caption));
}

TEST_F(BoardWindow, paintsEachCaseAsADarkGreyBlockWithItsNumberInWhite)
{
    const QImage block = caseLabel(board(), 12)->grab().toImage();
    EXPECT_EQ(block.pixelColor(1, block.height() - 2), QColor(0x40, 0x40, 0x40));
    int brightest = 0;
    for (int y = 0; y < block.height() / 2; ++y) {
        for (int x = 0; x < block.width(); ++x)
            brightest = std::max(brightest, qGray(block.pixel(x, y)));
    }
    EXPECT_GE(brightest, 250) << "no white number at the top of the block";
}

// The board under today's light scheme and under a dark one (in-process, or the desktop's own
// under on-desktop.sh kde): the same light face, read from the pixels drawn.
class BoardColours : public BoardWindow, public testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        if (GetParam())
            m_dark.emplace();
        BoardWindow::SetUp();
    }
    std::optional<DarkScheme> m_dark; // outlives the windows, which TearDown deletes
};

TEST_P(BoardColours, drawEveryCaptionReadableAndOpenedAmountsFadedOnTheLightFace)
{
    click(caseLabel(board(), 24)); // "Your Case:", with the case below it
    click(caseLabel(board(), 0)); // opens $1,000,000
    const QImage drawn = board()->grab().toImage();
    for (const auto &d : design::BoardLabels) // title, headings, "Your Case:", the instruction
        EXPECT_GE(drawnContrast(drawn, label(board(), d.control)), 4.5) << d.control;
    EXPECT_GE(drawnContrast(drawn, valueLabel(board(), 1)), 4.5) << "an amount in play";
    EXPECT_LT(drawnContrast(drawn, valueLabel(board(), 0)), 2.0) << "the opened amount";
    // The keyboard's focus mark, a frame inside the dark grey block, stands out from it.
    typeKey(board(), Qt::Key_Tab);
    QLabel *focused = caseLabel(board(), 1);
    ASSERT_TRUE(focused->hasFocus());
    const QImage block = focused->grab().toImage();
    EXPECT_GE(contrastRatio(block.pixelColor(0, 0), QColor(0x40, 0x40, 0x40)), 3.0);
    EXPECT_EQ(block.pixelColor(block.width() / 2, block.height() - 4), QColor(0x40, 0x40, 0x40));
}

INSTANTIATE_TEST_SUITE_P(Schemes, BoardColours, testing::Values(false, true),
    [](const auto &row) { return std::string(row.param ? "Dark" : "TodaysLight"); });

// The figures the WCAG publishes: what the colour checks above rest on.
TEST(ContrastRatio, isTheWcagOne)
{
    EXPECT_DOUBLE_EQ(contrastRatio(Qt::black, Qt::white), 21.0);
    EXPECT_NEAR(contrastRatio(Qt::white, QColor(0x76, 0x76, 0x76)), 4.54, 0.005);
}

TEST_F(BoardWindow, movesTheChosenCaseBelowYourCaseAndIgnoresFurtherClicksOnIt)
{
    QLabel *chosen = caseLabel(board(), 12);
    const QString chooseText = task()->text();
    click(chosen);
    EXPECT_EQ(chosen->pos(), QPoint(736, 472)); // just below "Your Case:"
    EXPECT_TRUE(chosen->isVisible());
    EXPECT_FALSE(chosen->isEnabled());
    EXPECT_EQ(chosen->text(), QStringLiteral("13"));
    EXPECT_NE(task()->text(), chooseText);
    EXPECT_EQ(task()->text(), QString::fromStdString(board()->state().lblTask.Caption));

    BoxScript boxes;
    click(chosen);
    EXPECT_EQ(board()->state().stage, 1);
    EXPECT_EQ(board()->state().openedThisStage, 0);
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(BoardWindow, hidesAnOpenedCaseAndTurnsOnlyItsAmountWhiteAndSaysSo)
{
    click(caseLabel(board(), 24));
    click(caseLabel(board(), 0)); // holds $1,000,000
    EXPECT_FALSE(caseLabel(board(), 0)->isVisible());
    for (int i = 0; i < CaseCount; ++i) {
        const QLabel *v = valueLabel(board(), i);
        EXPECT_EQ(
            v->palette().color(v->foregroundRole()), expectedColour(i == 0 ? White : ButtonText))
            << i;
    }
    // For assistive technology, which sees neither colour nor place.
    EXPECT_EQ(valueLabel(board(), 0)->accessibleDescription(), QStringLiteral("Opened"));
    EXPECT_EQ(valueLabel(board(), 1)->accessibleDescription(), QStringLiteral("Still in play"));
    EXPECT_EQ(caseLabel(board(), 24)->accessibleDescription(),
        QStringLiteral("Case 25, your case, closed"));
}

TEST_F(BoardWindow, asksTheOfferInAPlainModalBoxWithYesDefaultOverTheEmptiedBoard)
{
    bool sixthVisible = true;
    QString taskWhileOpen = QStringLiteral("unset");
    BoxScript boxes;
    boxes.then([&](QMessageBox &box) {
        sixthVisible = caseLabel(board(), 5)->isVisible();
        taskWhileOpen = task()->text();
        answer::clickNo(box);
    });
    playFirstStage(board());

    ASSERT_EQ(boxes.seen().size(), 1u);
    const SeenBox &offer = boxes.seen()[0];
    EXPECT_TRUE(offer.text.startsWith(QStringLiteral(
        "Ring... Ring... Ring... Hello? Yes, hmmm... PLAYER... the banker is offering you $")));
    EXPECT_EQ(offer.title, QStringLiteral("Zumo or No Zumo"));
    EXPECT_EQ(offer.icon, QMessageBox::NoIcon);
    EXPECT_EQ(offer.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(offer.defaultButton, QMessageBox::Yes);
    EXPECT_EQ(offer.shownFormat, Qt::PlainText);
    EXPECT_TRUE(offer.applicationModal);
    EXPECT_FALSE(sixthVisible);
    EXPECT_EQ(taskWhileOpen, QString());
    EXPECT_TRUE(task()->text().startsWith(QStringLiteral("Now you have to pick 5")));
}

// One way of answering the offer box, and whether the game must take it as Yes.
struct OfferAnswer
{
    const char *name;
    Answer answer;
    bool accepted;
};

class BoardOfferAnswer : public BoardWindow, public testing::WithParamInterface<OfferAnswer>
{ };

TEST_P(BoardOfferAnswer, countsAsAcceptedOnlyForYes)
{
    BoxScript boxes;
    boxes.then(GetParam().answer).then(answer::clickOk, GetParam().accepted ? 1 : 0); // "SOLD!"
    playFirstStage(board());
    EXPECT_EQ(boxes.unused(), 0u);
    ASSERT_EQ(boxes.seen().size(), GetParam().accepted ? 2u : 1u);
    if (GetParam().accepted) {
        EXPECT_EQ(boxes.seen()[1].text, QStringLiteral("SOLD!"));
        EXPECT_EQ(boxes.seen()[1].buttons, QMessageBox::Ok);
    }
    EXPECT_EQ(board()->state().stage, GetParam().accepted ? StageAccepted : 2);
}

INSTANTIATE_TEST_SUITE_P(ByKeyClickAndFrame, BoardOfferAnswer,
    testing::Values(OfferAnswer { "ReturnKey", answer::pressReturn, true },
        OfferAnswer { "ClickOnYes", answer::clickYes, true },
        OfferAnswer { "EscapeKey", answer::pressEscape, false },
        OfferAnswer { "ClickOnNo", answer::clickNo, false },
        OfferAnswer { "ClosingTheBox", answer::closeByFrame, false }),
    [](const auto &row) { return std::string(row.param.name); });

// A player name that rich text would take for markup.
struct Name
{
    const char *name;
    const char *player;
};

class BoardPlayerName : public BoardWindow, public testing::WithParamInterface<Name>
{
protected:
    void SetUp() override
    {
        env.variables["NWUSERNAME"] = GetParam().player;
        BoardWindow::SetUp();
    }
};

TEST_P(BoardPlayerName, appearsLiterallyInTheOfferBox)
{
    BoxScript boxes;
    boxes.then(answer::clickNo);
    playFirstStage(board());
    ASSERT_EQ(boxes.seen().size(), 1u);
    const QString greeting = QStringLiteral("hmmm... %1... the banker")
                                 .arg(QString::fromUtf8(GetParam().player).toUpper());
    EXPECT_TRUE(boxes.seen()[0].text.contains(greeting)) << boxes.seen()[0].text.toStdString();
    EXPECT_EQ(boxes.seen()[0].shownFormat, Qt::PlainText);
}

INSTANTIATE_TEST_SUITE_P(Markup, BoardPlayerName,
    testing::Values(Name { "Bold", "<b>X</b>" }, Name { "Image", "<img src=x>" },
        Name { "Link", "<a href=\"https://example.org\">link</a>" }, Name { "Ampersand", "A & B" }),
    [](const auto &row) { return std::string(row.param.name); });

TEST_F(BoardWindow, slidesTheCaseOnAPreciseFifteenMillisecondTimerAtMostOnePixelPerTick)
{
    auto *timer = board()->findChild<QTimer *>(QStringLiteral("tmrMoveCase"));
    ASSERT_NE(timer, nullptr);
    EXPECT_FALSE(timer->isActive());
    BoxScript boxes;
    playToTheSlide(24, 8, boxes);
    EXPECT_TRUE(timer->isActive());
    EXPECT_EQ(timer->interval(), 15);
    EXPECT_EQ(timer->timerType(), Qt::PreciseTimer);

    frmViewer *b = board();
    QLabel *own = caseLabel(b, 24);
    QPoint last = own->pos();
    for (int tick = 1; tick < 516; ++tick) {
        b->tmrMoveCase_Timer();
        const CaseSlot &slot = b->state().lblCase[24];
        ASSERT_EQ(own->pos(), QPoint(design::pixels(slot.Left), design::pixels(slot.Top))) << tick;
        const QPoint step = last - own->pos();
        ASSERT_TRUE(step.x() >= 0 && step.x() <= 1 && step.y() >= 0 && step.y() <= 1) << tick;
        last = own->pos();
    }
    EXPECT_EQ(own->pos(), QPoint(400, 129));
    boxes.then(answer::clickOk); // the closing message, on the last tick
    b->tmrMoveCase_Timer();
}

TEST_F(BoardWindow, offersExactlyTheDesignedMenuItemsInOrderWithTheirShortcuts)
{
    EXPECT_EQ(menuListing(board()),
        (QStringList { QStringLiteral("File: Return to Lobby Ctrl+R, Exit Ctrl+X"),
            QStringLiteral("Help: How to Play Ctrl+H, About the Game Ctrl+A") }));
}

TEST_F(BoardWindow, ignoresClicksOnEverythingButTheCases)
{
    BoxScript boxes;
    click(caseLabel(board(), 24));
    for (const auto &d : design::BoardLabels)
        click(label(board(), d.control));
    for (int i = 0; i < CaseCount; ++i)
        click(valueLabel(board(), i));
    EXPECT_EQ(board()->state().stage, 1);
    EXPECT_EQ(board()->state().openedTotal, 0);
    EXPECT_TRUE(boxes.seen().empty());
}

TEST_F(BoardWindow, leavesTheGameAsItWasAfterHowToPlayOrAboutInTheMiddleOfAStage)
{
    click(caseLabel(board(), 24));
    for (int i = 0; i < 3; ++i)
        click(caseLabel(board(), i));
    const QString taskBefore = task()->text();

    BoxScript boxes;
    boxes.then(answer::pressReturn).then(answer::pressEscape);
    ctrlKey(board(), Qt::Key_H);
    ASSERT_TRUE(QTest::qWaitForWindowActive(board())); // the box hands the activation back
    ctrlKey(board(), Qt::Key_A);

    ASSERT_EQ(boxes.seen().size(), 2u);
    EXPECT_EQ(boxes.seen()[0].text, fromView(howToPlayText()));
    EXPECT_EQ(boxes.seen()[1].text, fromView(aboutText()));
    EXPECT_EQ(boxes.seen()[1].buttons, QMessageBox::Ok);
    EXPECT_EQ(board()->state().openedThisStage, 3);
    EXPECT_EQ(task()->text(), taskBefore);
    EXPECT_FALSE(caseLabel(board(), 2)->isVisible());
    EXPECT_TRUE(caseLabel(board(), 3)->isVisible());
}

} // namespace
} // namespace zumo::test
