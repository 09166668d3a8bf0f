// Playing without a mouse: keys move the focus and click, but only once the player asks for them.
#include "ui_test_support.h"

#include <QAccessible>
#include <QApplication>
#include <QPainter>
#include <array>
#include <vector>

namespace zumo::test {
namespace {

using Keyboard = UiTest;

TEST_F(Keyboard, playsAWholeGameFromTheLobbyWithKeysAloneWithTheFocusWhereThePlayerPutIt)
{
    BoxScript boxes; // fails any box that opens unasked
    // Real focus, which Qt reports to assistive technology as focus events and the focused state.
    QStringList focused;
    const auto recorder
        = QObject::connect(qApp, &QApplication::focusChanged, [&](QWidget *, QWidget *now) {
              if (now)
                  focused << now->objectName();
          });

    typeKey(lobby(), Qt::Key_Right); // the first key makes New Game current, the others move on
    EXPECT_EQ(commandPixelSizes(lobby()), (std::vector<int> { Hovered, Plain, Plain, Plain }));
    typeKey(lobby(), Qt::Key_Up);
    EXPECT_EQ(commandPixelSizes(lobby()), (std::vector<int> { Plain, Plain, Plain, Hovered }));
    typeKey(lobby(), Qt::Key_Tab);
    typeKey(lobby(), Qt::Key_Down);
    typeKey(lobby(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), label(lobby(), "lblNew"));
    typeKey(lobby(), Qt::Key_Return);
    QPointer<frmViewer> b = board();
    ASSERT_TRUE(b && QTest::qWaitForWindowActive(b));

    typeKey(b, Qt::Key_Down); // case 1 first, whatever the key
    typeKey(b, Qt::Key_Tab);
    typeKey(b, Qt::Key_Backtab, Qt::ShiftModifier);
    typeKey(b, Qt::Key_Left); // wraps round to case 25
    typeKey(b, Qt::Key_Down); // nothing below it: stays
    typeKey(b, Qt::Key_Up);
    typeKey(b, Qt::Key_Down);
    typeKey(b, Qt::Key_Right); // wraps round to case 1
    EXPECT_EQ(focused.join(QLatin1Char(' ')),
        (QStringList { "lblNew", "lblExit", "lblNew", "lblHelp", "lblNew", "client", "lblCase(0)",
             "lblCase(1)", "lblCase(0)", "lblCase(24)", "lblCase(19)", "lblCase(24)",
             "lblCase(0)" })
            .join(QLatin1Char(' ')));
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(caseLabel(b, 0))->state().focused);
    QObject::disconnect(recorder);

    typeKey(b, Qt::Key_Return); // case 1 becomes the player's; the focus moves on to case 2
    EXPECT_EQ(b->state().chosenCase, 0);
    boxes.then(answer::pressReturn); // How to Play, over whichever case has the focus
    ctrlKey(b, Qt::Key_H);
    ASSERT_TRUE(QTest::qWaitForWindowActive(b));
    boxes.then(answer::pressEscape, 8);
    const std::array<Qt::Key, 3> opens { Qt::Key_Return, Qt::Key_Space, Qt::Key_Enter };
    for (int opened = 0; opened < 23; ++opened) {
        ASSERT_EQ(QApplication::focusWidget(), caseLabel(b, opened + 1)) << opened;
        typeKey(b, opens[static_cast<std::size_t>(opened) % opens.size()]);
        EXPECT_FALSE(caseLabel(b, opened + 1)->isVisible()) << opened;
        ASSERT_TRUE(QTest::qWaitForWindowActive(b)); // the focus comes back with the activation
    }
    EXPECT_EQ(boxes.seen().size(), 9u);
    EXPECT_EQ(b->state().stage, StageAllRefused);
    EXPECT_EQ(b->focusWidget(), b->centralWidget()); // no case is left in play

    boxes.then(answer::pressReturn); // the closing message
    EXPECT_EQ(tickUntilHandOver(b), 516);
    EXPECT_TRUE(boxes.seen().back().text.startsWith(QStringLiteral("You rejected")));
    EXPECT_NE(lobby(), nullptr);
}

// A mouse player who never presses Tab, Shift+Tab or an arrow sees and gets the design exactly.
TEST_F(Keyboard, changesNothingPixelForPixelUntilTheFirstKeyThatMovesTheFocus)
{
    BoxScript boxes; // none may open
    const QImage lobbyBefore = lobby()->grab().toImage();
    for (const Qt::Key k : { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space })
        typeKey(lobby(), k);
    EXPECT_EQ(lobby()->grab().toImage(), lobbyBefore);
    frmViewer *b = newGame();
    ASSERT_NE(b, nullptr);

    const QImage before = b->grab().toImage();
    for (const Qt::Key k :
        { Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape, Qt::Key_V })
        typeKey(b, k);
    EXPECT_EQ(b->grab().toImage(), before);
    EXPECT_EQ(b->state().stage, 0);
    EXPECT_EQ(QApplication::focusWidget(), b->centralWidget());

    typeKey(b, Qt::Key_Tab); // now, and only now, case 1 shows the focus
    const QImage after = b->grab().toImage();
    const QLabel *first = caseLabel(b, 0);
    const QRect block(first->mapTo(b, QPoint()), first->size());
    QImage elsewhere = after; // after, but for case 1's block as it was before
    QPainter(&elsewhere).drawImage(block, before, block);
    EXPECT_EQ(elsewhere, before);
    EXPECT_NE(after, before);
    EXPECT_TRUE(boxes.seen().empty());
}

// Return, Enter and Space act when let go, on what had the focus as they went down, and only if
// nothing moved the focus in between. Each key goes down and comes up as an event of its own.
enum class Step { Down, Up, Repeat, Misread, Arrow, Back, Pointer, Box, Away };

struct Sequence
{
    const char *name;
    bool inLobby; // Return on New Game in keyboard play; on the board, on case 1
    std::vector<Step> steps;
    bool acts; // a game starts; case 1 becomes the player's
};

class KeySequences : public UiTest, public testing::WithParamInterface<Sequence>
{
    // each row from a fresh start in the lobby
};

TEST_P(KeySequences, actOnWhatTheKeyWentDownOnOrNotAtAll)
{
    BoxScript boxes; // fails any box that opens unasked, How to Play above all
    const bool inLobby = GetParam().inLobby;
    QPointer<QMainWindow> w = lobby();
    typeKey(w, Qt::Key_Down);
    if (!inLobby)
        typeKey(w = newGame(), Qt::Key_Tab);
    QWindow *handle = w->windowHandle();
    QWidget other;
    quint64 time = 0;
    const auto repeat = [&](bool flagged) { // as X11 repeats a held key: let go and down again
        ++time;
        for (const QEvent::Type type : { QEvent::KeyRelease, QEvent::KeyPress }) {
            QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier, 36, 0, 0, {}, flagged);
            key.setTimestamp(time);
            QApplication::sendEvent(w->focusWidget(), &key);
        }
    };
    for (const Step step : GetParam().steps) {
        switch (step) {
        case Step::Down:
            QTest::keyPress(handle, Qt::Key_Return);
            break;
        case Step::Up:
            QTest::keyRelease(handle, Qt::Key_Return);
            break;
        case Step::Repeat:
        case Step::Misread: // as Qt now and then takes the pair for a real release and press
            repeat(step == Step::Repeat);
            break;
        case Step::Arrow:
        case Step::Back:
            typeKey(w, inLobby ? Qt::Key_Down : step == Step::Arrow ? Qt::Key_Right : Qt::Key_Left);
            break;
        case Step::Pointer:
            QTest::mouseMove(label(w, "lblExit"));
            break;
        case Step::Box:
            boxes.then(answer::pressEscape);
            ctrlKey(w, Qt::Key_H);
            ASSERT_TRUE(QTest::qWaitForWindowActive(w));
            break;
        case Step::Away:
            other.show();
            other.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
            w->activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(w));
            break;
        }
    }
    EXPECT_EQ(programEnds, 0);
    if (inLobby) {
        EXPECT_EQ(board() != nullptr, GetParam().acts);
    } else {
        EXPECT_EQ(board()->state().stage, GetParam().acts ? 1 : 0);
        EXPECT_EQ(board()->state().openedTotal, 0);
    }
}

using enum Step;
const Sequence Sequences[] = {
    { "lobbyLetGoWhereItWentDown", true, { Down, Up }, true },
    { "lobbyPointerOverExitLeavesTheProgramRunning", true, { Down, Pointer, Up }, false },
    { "lobbyArrowMovedTheCommand", true, { Down, Arrow, Up }, false },
    { "letGoWhereItWentDown", false, { Down, Up }, true },
    { "heldThroughItsRepeatsActsOnce", false, { Down, Repeat, Repeat, Up, Up }, true },
    { "arrowMovedTheFocus", false, { Down, Arrow, Up }, false },
    { "focusMovedAwayAndBack", false, { Down, Arrow, Back, Up }, false },
    { "acrossABox", false, { Down, Box, Up }, false },
    { "windowLostTheFocus", false, { Down, Away, Up }, false },
    { "strayRelease", false, { Up }, false },
    { "heldSinceBeforeTheWindowHadTheFocus", false, { Repeat, Up }, false },
    { "lobbyPointerOverExitWhileRepeatsAreMisread", true, { Down, Pointer, Misread, Misread, Up },
        false },
    { "arrowMovedTheFocusWhileRepeatsAreMisread", false, { Down, Arrow, Misread, Misread, Up },
        false },
};
INSTANTIATE_TEST_SUITE_P(Keyboard, KeySequences, testing::ValuesIn(Sequences),
    [](const auto &row) { return std::string(row.param.name); });

} // namespace
} // namespace zumo::test
