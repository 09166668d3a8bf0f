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

TEST_F(Accessibility, lobbyLabelsAreReadByTheirCaptions)
{
    for (const auto &d : design::LobbyLabels) {
        QLabel *l = label(lobby(), d.control);
        EXPECT_EQ(accessible(l, QAccessible::Name), fromView(d.Caption)) << d.control;
        EXPECT_EQ(QAccessible::queryAccessibleInterface(l)->role(), QAccessible::StaticText);
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
    EXPECT_EQ(title, QStringLiteral("Zumo or No Zumo"));
    EXPECT_TRUE(heard.contains(fromView(aboutText())))
        << heard.join(QLatin1Char('|')).toStdString();
    EXPECT_TRUE(heard.contains(QStringLiteral("OK")));
}

} // namespace
} // namespace zumo::test
