// The player's name from the environment: the order of the variables, case, trimming, odd bytes.
#include "shell/player_name.h"

#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <string>
#include <utility>

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

bool validUtf8(const std::string &s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int len = c < 0x80 ? 1
            : (c >> 5) == 6      ? 2
            : (c >> 4) == 14     ? 3
            : (c >> 3) == 30     ? 4
                                 : 0;
        if (len == 0 || i + static_cast<std::size_t>(len) > s.size())
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

// Only U+0020 is trimmed, and only a name that is "" after that counts as empty.
TEST(PlayerName, controlCharactersAreKeptAndCountAsAName)
{
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "ann\nlee" } }), "ANN\nLEE");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", "\t\r\n" }, { "LOGIN", "bob" } }), "\t\r\n");
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", " \tbo\x1b[31m \u2028 " } }), "\tBO\x1b[31M \u2028");
}

TEST(PlayerName, invalidUtf8IsReplacedNotPassedOn)
{
    const std::string name = nameFrom({ { "NWUSERNAME", "bad\xff\xfe\xc3(name" } });
    EXPECT_TRUE(validUtf8(name)) << name;
    EXPECT_EQ(name, "BAD\uFFFD\uFFFD\uFFFD(NAME");
}

TEST(PlayerName, longNamesAreKeptWhole)
{
    EXPECT_EQ(nameFrom({ { "NWUSERNAME", std::string(60, 'w') } }), std::string(60, 'W'));
    EXPECT_EQ(
        nameFrom({ { "NWUSERNAME", std::string(64 * 1024, 'x') } }), std::string(64 * 1024, 'X'));
}
