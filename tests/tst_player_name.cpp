// The player's name from the environment: the order of the variables, case, trimming, hostile bytes.
#include "shell/player_name.h"

#include <gtest/gtest.h>
#include <map>

using namespace zumo;

namespace {

class FakeEnvironment final : public Environment
{
public:
    FakeEnvironment(std::map<std::string, std::string> vars)
        : m_vars(std::move(vars))
    { }
    std::optional<std::string> value(const char *name) const override
    {
        const auto it = m_vars.find(name);
        return it == m_vars.end() ? std::nullopt : std::optional(it->second);
    }

private:
    std::map<std::string, std::string> m_vars;
};

std::string nameFrom(std::map<std::string, std::string> vars)
{
    return GetUsername(FakeEnvironment(std::move(vars)));
}

bool validUtf8WithoutControls(const std::string &s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int len = c < 0x80 ? 1
            : (c >> 5) == 6      ? 2
            : (c >> 4) == 14     ? 3
            : (c >> 3) == 30     ? 4
                                 : 0;
        if (len == 0 || i + static_cast<std::size_t>(len) > s.size()
            || (len == 1 && (c < 0x20 || c == 0x7f)))
            return false;
        for (int k = 1; k < len; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 2)
                return false;
        i += static_cast<std::size_t>(len);
    }
    return true;
}

} // namespace

TEST(PlayerName, firstNonEmptyVariableWinsUpperCasedAndTrimmedOfSpaces)
{
    EXPECT_EQ(
        nameFrom({ { "NWUSERNAME", " alice " }, { "LOGIN", "bob" }, { "USERNAME", "carol" } }),
        "ALICE");
    EXPECT_EQ(nameFrom({ { "LOGIN", "    " }, { "USERNAME", "mary  ann" } }), "MARY  ANN");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "" }, { "LOGIN", "bob" } }), "BOB");
    EXPECT_EQ(nameFrom({}), "");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", " " }, { "LOGIN", "" }, { "USERNAME", "   " } }), "");
}

TEST(PlayerName, upperCasingIsRightBeyondAscii)
{
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "zoë" } }), "ZOË");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "straße" } }), "STRASSE");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "ørjan" } }), "ØRJAN");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "дмитрий" } }), "ДМИТРИЙ");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "李雷" } }), "李雷");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "שרה" } }), "שרה");
}

// Markup stays as it is: it is the view's job to show it literally, never to interpret it.
TEST(PlayerName, markupPassesThroughAsText)
{
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "<b>x</b>" } }), "<B>X</B>");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "<img src=/etc/passwd>" } }), "<IMG SRC=/ETC/PASSWD>");
}

TEST(PlayerName, controlCharactersBecomeBlanksSoABareNewlineCountsAsEmpty)
{
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "ann\nlee" } }), "ANN LEE");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "\t\r\n" }, { "LOGIN", "bob" } }), "BOB");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", std::string("a\0b\x1b[31m", 8) } }), "A B [31M");
}

TEST(PlayerName, invalidUtf8IsReplacedNotPassedOn)
{
    const std::string name = nameFrom({ { "NWUSERNAME", "bad\xff\xfe\xc3(name" } });
    EXPECT_TRUE(validUtf8WithoutControls(name)) << name;
    EXPECT_EQ(name.rfind("BAD", 0), 0u);
}

TEST(PlayerName, aHugeNameIsCutWithAnEllipsisWithoutSplittingACharacter)
{
    const std::string huge(64 * 1024, 'x');
    const std::string name = nameFrom({ { "NWUSERNAME", huge } });
    EXPECT_EQ(name, std::string(MaxNameLength - 1, 'X') + "…");

    std::string emoji;
    for (int i = 0; i < 100; ++i)
        emoji += "😀"; // outside the basic plane: two UTF-16 units each
    const std::string cut = nameFrom({ { "NWUSERNAME", emoji } });
    EXPECT_TRUE(validUtf8WithoutControls(cut));
    EXPECT_EQ(cut.substr(cut.size() - 3), "…");

    const std::string fits(MaxNameLength, 'y');
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", fits } }), std::string(MaxNameLength, 'Y'));
}
