// The board window: its frame and 55 labels, clicks on cases, the offer box, the timer, menus.
#include "shell/messages.h"
#include "ui_test_support.h"

#include <QTest>

namespace zumo::test {
namespace {

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect pixelBox(float left, float top, float width, float height)
{
    return QRect(
        design::pixels(left), design::pixels(top), design::pixels(width), design::pixels(height));
}

class BoardWindow : public UiTest
{
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        ASSERT_NE(newGame(), nullptr);
    }
    QLabel *task() const { return label(board(), QStringLiteral("lblTask")); }
    QLabel *valueLabel(int index) const
    {
        return label(board(), QStringLiteral("lblValues(%1)").arg(index));
    }
    QTimer *slideTimer() const
    {
        return board()->findChild<QTimer *>(QStringLiteral("tmrMoveCase"));
    }
};

TEST_F(BoardWindow, hasTheDesignedClientAreaBelowItsMenuBarCentredAndFixed)
{
    expectFrame(board(), QSize(865, 581));
}

TEST_F(BoardWindow, drawsEveryFixedLabelInItsDesignedBoxFontAndColours)
{
    for (const auto &d : design::BoardLabels) {
        const QLabel *l = label(board(), fromView(d.control));
        expectDrawnAsDesigned(l, d, pixelBox(d.Left, d.Top, d.Width, d.Height));
        if (!d.Caption.empty()) {
            EXPECT_EQ(l->text(), fromView(d.Caption));
        }
    }
}

TEST_F(BoardWindow, drawsEveryCaseAndValueLabelWhereItsSlotIsWithItsCaption)
{
    const BoardState &s = board()->state();
    for (int i = 0; i < CaseCount; ++i) {
        const CaseSlot &c = s.lblCase[i];
        const QLabel *caseL = caseLabel(board(), i);
        expectDrawnAsDesigned(caseL, design::CaseLabel, pixelBox(c.Left, c.Top, c.Width, c.Height));
        EXPECT_EQ(caseL->text(), QString::fromStdString(c.Caption));
        EXPECT_TRUE(caseL->isVisible());

        const ValueSlot &v = s.lblValues[i];
        const QLabel *valueL = valueLabel(i);
        expectDrawnAsDesigned(
            valueL, design::ValueLabel, pixelBox(v.Left, v.Top, v.Width, v.Height));
        EXPECT_EQ(valueL->text(), QString::fromStdString(v.Caption));
    }
    EXPECT_EQ(task()->text(), QString::fromStdString(s.lblTask.Caption));
    EXPECT_FALSE(task()->text().isEmpty());
}

TEST_F(BoardWindow, paintsEachCaseAsADarkGreyBlockWithItsNumberInWhite)
{
    const QImage block = caseLabel(board(), 12)->grab().toImage();
    EXPECT_EQ(block.pixelColor(1, block.height() - 2), QColor(0x40, 0x40, 0x40));
    bool anyWhite = false;
    for (int y = 0; y < block.height() / 2 && !anyWhite; ++y) {
        for (int x = 0; x < block.width() && !anyWhite; ++x)
            anyWhite = qGray(block.pixel(x, y)) >= 250; // white, give or take anti-aliasing
    }
    EXPECT_TRUE(anyWhite) << "no white number at the top of the block";
}

TEST_F(BoardWindow, movesTheChosenCaseBelowYourCaseAndIgnoresFurtherClicksOnIt)
{
    QLabel *chosen = caseLabel(board(), 12);
    const QString chooseText = task()->text();
    click(chosen);

    const CaseSlot &slot = board()->state().lblCase[12];
    EXPECT_EQ(chosen->geometry(), pixelBox(slot.Left, slot.Top, slot.Width, slot.Height));
    EXPECT_EQ(chosen->geometry().topLeft(), QPoint(736, 472)); // just below "Your Case:"
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

TEST_F(BoardWindow, hidesAnOpenedCaseAndTurnsOnlyItsAmountWhite)
{
    click(caseLabel(board(), 24)); // own case, holding $1
    click(caseLabel(board(), 0)); // holds $1,000,000

    EXPECT_FALSE(caseLabel(board(), 0)->isVisible());
    const QColor buttonText = expectedColour(ButtonText);
    for (int i = 0; i < CaseCount; ++i) {
        const QLabel *v = valueLabel(i);
        EXPECT_EQ(v->palette().color(v->foregroundRole()), i == 0 ? QColor(Qt::white) : buttonText)
            << "value " << i;
    }
}

TEST_F(BoardWindow, tellsAssistiveTechnologyWhatColourAndPlaceShow)
{
    click(caseLabel(board(), 24));
    click(caseLabel(board(), 0));
    EXPECT_EQ(caseLabel(board(), 24)->accessibleDescription(),
        QStringLiteral("Case 25, your case, closed"));
    EXPECT_EQ(valueLabel(0)->accessibleDescription(), QStringLiteral("Opened"));
    EXPECT_EQ(valueLabel(1)->accessibleDescription(), QStringLiteral("Still in play"));
    EXPECT_EQ(caseLabel(board(), 1)->accessibleName(), QString()); // the caption speaks for itself
}

TEST_F(BoardWindow, showsTheOpenedCaseGoneAndTheInstructionEmptyBehindTheOffer)
{
    bool sixthVisible = true;
    QString taskWhileOpen = QStringLiteral("unset");
    BoxScript boxes;
    boxes.then([&](QMessageBox &box) {
        sixthVisible = caseLabel(board(), 5)->isVisible();
        taskWhileOpen = task()->text();
        answer::clickNo(box);
    });
    click(caseLabel(board(), 24));
    for (int i = 0; i < 6; ++i)
        click(caseLabel(board(), i));

    ASSERT_EQ(boxes.seen().size(), 1u);
    EXPECT_FALSE(sixthVisible);
    EXPECT_EQ(taskWhileOpen, QString());
    EXPECT_EQ(board()->state().stage, 2);
    EXPECT_EQ(task()->text(), QString::fromStdString(board()->state().lblTask.Caption));
    EXPECT_TRUE(task()->text().startsWith(QStringLiteral("Now you have to pick 5")));
}

TEST_F(BoardWindow, asksTheOfferInAModalPlainTextBoxWithoutIconWithYesAsTheDefault)
{
    BoxScript boxes;
    boxes.then(answer::clickNo);
    click(caseLabel(board(), 24));
    for (int i = 0; i < 6; ++i)
        click(caseLabel(board(), i));

    ASSERT_EQ(boxes.seen().size(), 1u);
    const SeenBox &offer = boxes.seen()[0];
    EXPECT_TRUE(offer.text.startsWith(QStringLiteral(
        "Ring... Ring... Ring... Hello? Yes, hmmm... PLAYER... the banker is offering you $")));
    EXPECT_EQ(offer.title, QStringLiteral("Zumo or No Zumo"));
    EXPECT_EQ(offer.icon, QMessageBox::NoIcon);
    EXPECT_EQ(offer.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(offer.defaultButton, QMessageBox::Yes);
    EXPECT_EQ(offer.textFormat, Qt::PlainText);
    EXPECT_EQ(offer.shownFormat, Qt::PlainText);
    EXPECT_TRUE(offer.applicationModal);
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
    boxes.then(GetParam().answer);
    if (GetParam().accepted)
        boxes.then(answer::clickOk); // "SOLD!"
    click(caseLabel(board(), 24));
    for (int i = 0; i < 6; ++i)
        click(caseLabel(board(), i));

    EXPECT_EQ(boxes.unused(), 0u);
    if (GetParam().accepted) {
        ASSERT_EQ(boxes.seen().size(), 2u);
        EXPECT_EQ(boxes.seen()[1].text, QStringLiteral("SOLD!"));
        EXPECT_EQ(boxes.seen()[1].buttons, QMessageBox::Ok);
        EXPECT_EQ(board()->state().stage, StageAccepted);
    } else {
        EXPECT_EQ(boxes.seen().size(), 1u);
        EXPECT_EQ(board()->state().stage, 2);
    }
}

INSTANTIATE_TEST_SUITE_P(ByKeyClickAndFrame, BoardOfferAnswer,
    testing::Values(OfferAnswer { "ReturnKey", answer::pressReturn, true },
        OfferAnswer { "ClickOnYes", answer::clickYes, true },
        OfferAnswer { "EscapeKey", answer::pressEscape, false },
        OfferAnswer { "ClickOnNo", answer::clickNo, false },
        OfferAnswer { "ClosingTheBox", answer::closeByFrame, false }),
    [](const auto &row) { return std::string(row.param.name); });

// A player name that would be markup if the box took it for rich text.
class BoardPlayerName : public UiTest, public testing::WithParamInterface<const char *>
{
protected:
    void SetUp() override
    {
        env.variables["NWUSERNAME"] = GetParam();
        UiTest::SetUp();
        ASSERT_NE(newGame(), nullptr);
    }
};

TEST_P(BoardPlayerName, appearsLiterallyInTheOfferBox)
{
    BoxScript boxes;
    boxes.then(answer::clickNo);
    click(caseLabel(board(), 24));
    for (int i = 0; i < 6; ++i)
        click(caseLabel(board(), i));

    ASSERT_EQ(boxes.seen().size(), 1u);
    const QString name = QString::fromUtf8(GetParam()).toUpper();
    EXPECT_TRUE(boxes.seen()[0].text.contains(
        QStringLiteral("hmmm... ") + name + QStringLiteral("... the banker")))
        << boxes.seen()[0].text.toStdString();
    EXPECT_EQ(boxes.seen()[0].shownFormat, Qt::PlainText);
}

INSTANTIATE_TEST_SUITE_P(Markup, BoardPlayerName,
    testing::Values("<b>X</b>", "<img src=x>", "<a href=\"https://example.org\">link</a>", "A & B"),
    [](const auto &row) {
        std::string name;
        for (const char c : std::string(row.param))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

TEST_F(BoardWindow, runsThePreciseFifteenMillisecondTimerOnlyOnceTheGameIsOver)
{
    ASSERT_NE(slideTimer(), nullptr);
    EXPECT_FALSE(slideTimer()->isActive());
    BoxScript boxes;
    playToTheSlide(24, 8, boxes);
    EXPECT_TRUE(slideTimer()->isActive());
    EXPECT_EQ(slideTimer()->interval(), 15);
    EXPECT_EQ(slideTimer()->timerType(), Qt::PreciseTimer);
    boxes.then(answer::clickOk);
    tickUntilHandOver(board());
}

TEST_F(BoardWindow, slidesThePlayersCaseAtMostOnePixelPerTickAlongItsSlot)
{
    BoxScript boxes;
    playToTheSlide(24, 8, boxes);
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
    boxes.then(answer::clickOk);
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
    const BoardState before = board()->state();
    for (const auto &d : design::BoardLabels)
        click(label(board(), fromView(d.control)));
    for (int i = 0; i < CaseCount; ++i)
        click(valueLabel(i));
    const BoardState &after = board()->state();
    EXPECT_EQ(after.stage, before.stage);
    EXPECT_EQ(after.openedTotal, before.openedTotal);
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
    EXPECT_EQ(board()->state().stage, 1);
    EXPECT_EQ(board()->state().openedThisStage, 3);
    EXPECT_EQ(task()->text(), taskBefore);
    EXPECT_FALSE(caseLabel(board(), 2)->isVisible());
    EXPECT_TRUE(caseLabel(board(), 3)->isVisible());
}

} // namespace
} // namespace zumo::test
