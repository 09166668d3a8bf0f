// Player names from the environment, however odd, greeted exactly and safely in the offer box.
#include "ui_test_support.h"

#include <string>
#include <string_view>
#include <vector>

namespace zumo::test {
namespace {

struct HostileName
{
    const char *label;
    std::string raw; // NWUSERNAME, byte for byte
    QString shown; // the name as the greeting shows it
};

const QString Greeting = QStringLiteral("Ring... Ring... Ring... Hello? Yes, hmmm... ");
const QString AfterTheName = QStringLiteral("... the banker is offering you $");

// What the offer box showed, taken while it was open.
struct OfferBox
{
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QString labelText;
    Qt::TextFormat labelFormat = Qt::AutoText;
};

OfferBox look(const QMessageBox &box)
{
    OfferBox seen { box.text(), box.textFormat(), {}, Qt::AutoText };
    if (const auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        seen.labelText = label->text();
        seen.labelFormat = label->textFormat();
    }
    return seen;
}

class HostileNames : public UiTest, public testing::WithParamInterface<HostileName>
{
protected:
    void SetUp() override
    {
        env.variables["NWUSERNAME"] = GetParam().raw; // read by the lobby's load step
        UiTest::SetUp();
    }
};

// The name is the one text from outside the program that reaches the screen. However wide or tall
// it makes the box, Return (the default, Yes) and Escape (No) still answer it.
TEST_P(HostileNames, areGreetedExactlyAsPlainTextInAnOfferBoxAnsweredFromTheKeyboard)
{
    frmViewer *b = newGame();
    ASSERT_NE(b, nullptr);
    std::vector<OfferBox> seen;
    const auto lookThen = [&seen](Answer answer) {
        return [&seen, answer](QMessageBox &box) {
            seen.push_back(look(box));
            answer(box);
        };
    };
    BoxScript boxes;
    boxes.then(lookThen(answer::pressEscape))
        .then(lookThen(answer::pressReturn))
        .then(answer::clickOk); // "SOLD!"
    for (int i = 0; i <= 11; ++i) // the player's case, the six of stage 1, the five of stage 2
        click(caseLabel(b, i));
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(b->state().stage, StageAccepted); // the first offer refused, the second accepted

    const QString greeted = Greeting + GetParam().shown + AfterTheName;
    for (const OfferBox &box : seen) {
        EXPECT_TRUE(box.text.startsWith(greeted)) << box.text.left(200).toStdString();
        EXPECT_TRUE(box.text.endsWith(QStringLiteral(". Do you accept?")));
        EXPECT_EQ(box.format, Qt::PlainText);
        EXPECT_EQ(box.labelFormat, Qt::PlainText);
        EXPECT_EQ(box.labelText, box.text);
    }
}

QString repeated(int n, char16_t c)
{
    return QString(n, QChar(c));
}

std::string times(int n, std::string_view piece)
{
    std::string out;
    for (int i = 0; i < n; ++i)
        out += piece;
    return out;
}

INSTANTIATE_TEST_SUITE_P(FromTheEnvironment, HostileNames,
    testing::Values(HostileName { "BoldMarkup", "<b>x</b>", QStringLiteral("<B>X</B>") },
        HostileName {
            "ImageOfALocalFile", "<img src=/etc/passwd>", QStringLiteral("<IMG SRC=/ETC/PASSWD>") },
        HostileName { "Link", "<a href=x>y</a>", QStringLiteral("<A HREF=X>Y</A>") },
        HostileName { "SixtyFourKiB", std::string(64 * 1024, 'x'), repeated(64 * 1024, u'X') },
        HostileName { "InvalidUtf8",
            "\xff"
            "ab\xfe"
            "cd\x80"
            "ef\xc3",
            QString::fromUtf8("\uFFFDAB\uFFFDCD\uFFFDEF\uFFFD") },
        HostileName { "ControlsAndNewlines", "ann\nmarie\r\tsmith\x1b[2J\x07",
            QStringLiteral("ANN\nMARIE\r\tSMITH\x1b[2J\x07") },
        HostileName { "UnicodeLineBreaks", "ann\u2028marie\u2029smith\u0085",
            QStringLiteral("ANN\u2028MARIE\u2029SMITH\u0085") },
        HostileName { "SixtyFourParagraphs", times(63, "\u2029") + "z",
            repeated(63, u'\u2029') + QLatin1Char('Z') },
        HostileName { "RightToLeft", "שלום مرحبا", QString::fromUtf8("שלום مرحبا") },
        HostileName { "RightToLeftOverride",
            "\u202e"
            "evil",
            QStringLiteral("\u202eEVIL") },
        HostileName { "RightToLeftIsolateLeftOpen",
            "\u2067"
            "evil",
            QStringLiteral("\u2067EVIL") },
        HostileName { "Emoji", "🎲 player 👩‍👩‍👧‍👦 🏳️‍🌈",
            QString::fromUtf8("🎲 PLAYER 👩‍👩‍👧‍👦 🏳️‍🌈") },
        HostileName { "OnlySpaces", "      ", QString() },
        HostileName { "WidestLatinLetters", std::string(60, 'W'), repeated(60, u'W') },
        HostileName { "WidestFullWidthSigns", times(60, "＠"), repeated(60, u'\uFF20') }),
    [](const auto &row) { return std::string(row.param.label); });

} // namespace
} // namespace zumo::test
