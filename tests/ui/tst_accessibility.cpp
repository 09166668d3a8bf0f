// What a screen reader hears: every label by its caption, its state in words, boxes by title and text.
#include "shell/messages.h"
#include "ui_test_support.h"

#include <QAccessible>

namespace zumo::test {
namespace {

QString accessible(QObject *object, QAccessible::Text what)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(object);
    return a ? a->text(what) : QStringLiteral("<not accessible>");
}

// Every text an accessible object and its descendants expose, depth first.
void collectTexts(QAccessibleInterface *a, QStringList &out)
{
    if (!a)
        return;
    out << a->text(QAccessible::Name) << a->text(QAccessible::Description);
    for (int i = 0; i < a->childCount(); ++i)
        collectTexts(a->child(i), out);
}

class Accessibility : public UiTest
{ };

// What can be pressed is a button: the role Orca speaks a description for, and says "push button".
TEST_F(Accessibility, lobbyLabelsAreReadByTheirCaptionsAndOnlyTheCommandsArePressableButtons)
{
    for (const auto &d : design::LobbyLabels) {
        QLabel *l = label(lobby(), d.control);
        EXPECT_EQ(accessible(l, QAccessible::Name), fromView(d.Caption)) << d.control;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(l);
        const bool command = d.control != "lblTitle";
        EXPECT_EQ(a->role(), command ? QAccessible::Button : QAccessible::StaticText) << d.control;
        EXPECT_EQ(
            a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()),
            command)
            << d.control;
    }
}

// Sighted players read colour and place; the description must say the same, and keep up.
TEST_F(Accessibility, caseAndValueLabelsSayWhatTheirColourAndPlaceShow)
{
    frmViewer *b = newGame();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(accessible(caseLabel(b, 12), QAccessible::Name), QStringLiteral("13"));
    EXPECT_EQ(
        accessible(caseLabel(b, 12), QAccessible::Description), QStringLiteral("Case 13, closed"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(caseLabel(b, 12))->role(), QAccessible::Button);
    EXPECT_EQ(accessible(valueLabel(b, 1), QAccessible::Name), QStringLiteral("$750,000"));
    EXPECT_EQ(
        accessible(valueLabel(b, 1), QAccessible::Description), QStringLiteral("Still in play"));

    click(caseLabel(b, 12));
    click(caseLabel(b, 1)); // holds $750,000
    EXPECT_EQ(accessible(caseLabel(b, 12), QAccessible::Description),
        QStringLiteral("Case 13, your case, closed"));
    EXPECT_EQ(accessible(valueLabel(b, 1), QAccessible::Description), QStringLiteral("Opened"));
    EXPECT_EQ(
        accessible(valueLabel(b, 2), QAccessible::Description), QStringLiteral("Still in play"));
    EXPECT_EQ(accessible(label(b, "lblTask"), QAccessible::Name), label(b, "lblTask")->text());
    EXPECT_EQ(accessible(label(b, "lblYours"), QAccessible::Name), QStringLiteral("Your Case:"));
}

// Voice control and other assistive clients act through press actions: a whole game, its boxes
// included, can be played with them alone, and a press is refused where a click would be.
TEST_F(Accessibility, aWholeGameIsPlayedThroughPressActionsAlone)
{
    pressAction(label(lobby(), "lblNew"));
    QPointer<frmViewer> b = board();
    ASSERT_NE(b, nullptr);
    const auto pressButton = [](QMessageBox::StandardButton which) -> Answer {
        return [which](QMessageBox &box) { pressAction(box.button(which)); };
    };
    BoxScript boxes;
    boxes
        .then([&](QMessageBox &box) {
            pressAction(caseLabel(b, 20)); // refused: the offer blocks the board
            pressAction(box.button(QMessageBox::No));
        })
        .then(pressButton(QMessageBox::No))
        .then(pressButton(QMessageBox::Yes))
        .then(pressButton(QMessageBox::Ok)); // "SOLD!"
    pressAction(caseLabel(b, 24)); // case 25 becomes the player's
    pressAction(caseLabel(b, 24)); // and is out of play
    for (int i = 0; i < 15; ++i)
        pressAction(caseLabel(b, i));
    EXPECT_EQ(b->state().openedTotal, 15); // not 16: the press under the offer did nothing
    EXPECT_EQ(b->state().stage, StageAccepted);

    boxes.then(pressButton(QMessageBox::Ok));
    EXPECT_EQ(tickUntilHandOver(b), 516);
    ASSERT_EQ(boxes.seen().size(), 5u);
    EXPECT_TRUE(boxes.seen()[4].text.startsWith(QStringLiteral("You accepted")));
    EXPECT_NE(lobby(), nullptr);
}

TEST_F(Accessibility, messageBoxesAreReadWithTheirTitleAndText)
{
    QStringList heard;
    QString title;
    BoxScript boxes;
    boxes.then([&](QMessageBox &box) {
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&box);
        ASSERT_NE(a, nullptr);
        title = a->text(QAccessible::Name);
        collectTexts(a, heard);
        QTest::keyClick(&box, Qt::Key_Return);
    });
    ctrlKey(lobby(), Qt::Key_A);
    EXPECT_EQ(title, QStringLiteral("Zumo or No Zumo. ") + fromView(aboutText()));
    EXPECT_TRUE(heard.contains(fromView(aboutText())))
        << heard.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(heard.contains(QStringLiteral("OK")));
}

} // namespace
} // namespace zumo::test
