// Player names from the environment that try to break the offer box they are greeted in.
#include "ui_test_support.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTextLayout>

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

std::string str(QRect r)
{
    return std::to_string(r.width()) + "x" + std::to_string(r.height()) + "+"
        + std::to_string(r.x()) + "+" + std::to_string(r.y());
}

// Whether text, laid out on one line in font, shows the characters from `from` on in the order
// they are written, left to right: a bidirectional control in the name could reverse the rest
// of the sentence, the offer included.
bool readsLeftToRight(const QString &text, const QFont &font, qsizetype from)
{
    QTextLayout layout(text, font);
    QTextOption option;
    option.setTextDirection(Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(1e6);
    layout.endLayout();
    qreal previous = -1;
    for (qsizetype i = from; i < text.size(); ++i) {
        const qreal x = line.cursorToX(static_cast<int>(i));
        if (x < previous)
            return false;
        previous = x;
    }
    return true;
}

// What the offer box looked like, taken while it was open.
struct OfferBox
{
    QString text;
    Qt::TextFormat format = Qt::AutoText;
    QString labelText;
    Qt::TextFormat labelFormat = Qt::AutoText;
    bool offerReadsLeftToRight = false;
    QRect screen;
    QRect frame;
    std::vector<QRect> buttons; // Yes, No; empty where a button is hidden
};

OfferBox look(QMessageBox &box)
{
    OfferBox seen;
    seen.text = box.text();
    seen.format = box.textFormat();
    if (const auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        seen.labelText = label->text();
        seen.labelFormat = label->textFormat();
        const qsizetype rest = label->text().indexOf(AfterTheName, Greeting.size());
        seen.offerReadsLeftToRight
            = rest > 0 && readsLeftToRight(label->text(), label->font(), rest);
    }
    seen.screen = QGuiApplication::primaryScreen()->availableGeometry();
    seen.frame = box.frameGeometry();
    for (const auto which : { QMessageBox::Yes, QMessageBox::No }) {
        const QAbstractButton *button = box.button(which);
        seen.buttons.push_back(button && button->isVisible()
                ? QRect(button->mapToGlobal(QPoint(0, 0)), button->size())
                : QRect());
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

// The name is the one text from outside the program that reaches the screen.
TEST_P(HostileNames, areGreetedLiterallyInAnOfferBoxThatFitsTheScreenAndCanBeAnswered)
{
    frmViewer *b = newGame();
    ASSERT_NE(b, nullptr);
    OfferBox seen;
    BoxScript boxes;
    boxes.then([&](QMessageBox &box) {
        seen = look(box);
        answer::clickNo(box);
    });
    for (int i = 0; i <= 6; ++i) // the player's case, then the six of stage 1
        click(caseLabel(b, i));
    ASSERT_EQ(boxes.seen().size(), 1u);

    const QString greeted = Greeting + GetParam().shown + AfterTheName;
    EXPECT_TRUE(seen.text.startsWith(greeted)) << seen.text.left(200).toStdString();
    EXPECT_TRUE(seen.text.endsWith(QStringLiteral(". Do you accept?")));
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.labelFormat, Qt::PlainText);
    EXPECT_EQ(seen.labelText, seen.text);
    EXPECT_TRUE(seen.offerReadsLeftToRight);

    EXPECT_TRUE(seen.screen.contains(seen.frame))
        << "box " << str(seen.frame) << " on screen " << str(seen.screen);
    ASSERT_EQ(seen.buttons.size(), 2u);
    for (const QRect &button : seen.buttons) {
        EXPECT_FALSE(button.isEmpty());
        EXPECT_TRUE(seen.screen.contains(button)) << "button " << str(button);
    }
    // Answered by a click on No: the game goes on to stage 2.
    EXPECT_EQ(b->state().stage, 2);
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
        HostileName { "SixtyFourKiB", std::string(64 * 1024, 'x'),
            repeated(MaxNameLength - 1, u'X') + QChar(0x2026) },
        HostileName { "InvalidUtf8",
            "\xff"
            "ab\xfe"
            "cd\x80"
            "ef\xc3",
            QString::fromUtf8("\uFFFDAB\uFFFDCD\uFFFDEF\uFFFD") },
        HostileName { "ControlsAndNewlines", "ann\nmarie\r\tsmith\x1b[2J\x07",
            QStringLiteral("ANN MARIE  SMITH [2J") },
        HostileName { "UnicodeLineBreaks", "ann\u2028marie\u2029smith\u0085",
            QStringLiteral("ANN MARIE SMITH") },
        HostileName { "SixtyFourParagraphs", times(63, "\u2029") + "z", QStringLiteral("Z") },
        HostileName { "RightToLeft", "שלום مرحبا", QString::fromUtf8("שלום مرحبا") },
        HostileName { "RightToLeftOverride",
            "\u202e"
            "evil",
            QStringLiteral("EVIL") },
        HostileName { "RightToLeftIsolateLeftOpen",
            "\u2067"
            "evil",
            QStringLiteral("EVIL") },
        HostileName { "Emoji", "🎲 player 👩‍👩‍👧‍👦 🏳️‍🌈",
            QString::fromUtf8("🎲 PLAYER 👩‍👩‍👧‍👦 🏳️‍🌈") },
        HostileName { "OnlySpaces", "      ", QString() },
        HostileName {
            "WidestLatinLetters", std::string(MaxNameLength, 'W'), repeated(MaxNameLength, u'W') },
        HostileName { "WidestFullWidthSigns", times(MaxNameLength, "＠"),
            repeated(MaxNameLength, u'\uFF20') }),
    [](const auto &row) { return std::string(row.param.label); });

} // namespace
} // namespace zumo::test
