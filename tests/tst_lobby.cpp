// The lobby's logic: the name read at every load, the hover highlight, and the commands it runs.
#include "shell/lobby.h"
#include "shell/messages.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

using namespace zumo;

namespace {

class OneVariable final : public Environment
{
public:
    std::optional<std::string> value(const char *name) const override
    {
        return std::string(name) == "NWUSERNAME" ? std::optional(login) : std::nullopt;
    }
    std::string login;
};

struct RecordingHost final : LobbyHost
{
    void startGame() override { ran += "new "; }
    void showHowToPlay() override { ran += "help "; }
    void showAbout() override { ran += "about "; }
    void endProgram() override { ran += "exit "; }
    std::string ran;
};

struct RecordingSink final : MessageSink
{
    void tell(const std::string &prompt) override { told.push_back(prompt); }
    std::vector<std::string> told;
};

std::vector<float> sizes(const Lobby &l)
{
    return { l.fontSize(LobbyCommand::New), l.fontSize(LobbyCommand::Help),
        l.fontSize(LobbyCommand::About), l.fontSize(LobbyCommand::Exit) };
}

} // namespace

TEST(Lobby, everyLoadReadsTheNameAfresh)
{
    RecordingHost host;
    OneVariable env;
    std::string playerName = "STALE";
    env.login = "first";
    Lobby(host, env, playerName).Form_Load();
    EXPECT_EQ(playerName, "FIRST");
    env.login = "";
    Lobby(host, env, playerName).Form_Load();
    EXPECT_EQ(playerName, "");
}

TEST(Lobby, hoveredCommandIsLargeAndStaysLargeUntilAnotherIsHovered)
{
    RecordingHost host;
    OneVariable env;
    std::string name;
    Lobby lobby(host, env, name);
    EXPECT_EQ(sizes(lobby), (std::vector<float> { 18, 18, 18, 18 }));
    lobby.commandMouseMove(LobbyCommand::New);
    EXPECT_EQ(sizes(lobby), (std::vector<float> { 24, 18, 18, 18 }));
    lobby.commandMouseMove(LobbyCommand::Help);
    lobby.commandMouseMove(LobbyCommand::About);
    lobby.commandMouseMove(LobbyCommand::Exit);
    EXPECT_EQ(sizes(lobby), (std::vector<float> { 18, 18, 18, 24 }));
    lobby.commandMouseMove(LobbyCommand::Exit);
    EXPECT_EQ(sizes(lobby), (std::vector<float> { 18, 18, 18, 24 }));
}

TEST(Lobby, eachLabelRunsItsCommand)
{
    RecordingHost host;
    OneVariable env;
    std::string name;
    Lobby lobby(host, env, name);
    lobby.lblNew_Click();
    lobby.lblHelp_Click();
    lobby.lblAbout_Click();
    lobby.lblExit_Click();
    EXPECT_EQ(host.ran, "new help about exit ");
}

TEST(Messages, howToPlayKeepsItsDoubleSpacesAndAboutIsTwoSentences)
{
    RecordingSink sink;
    ShowHowToPlay(sink);
    ShowAbout(sink);
    ASSERT_EQ(sink.told.size(), 2u);
    EXPECT_EQ(sink.told[0],
        "This game is a re-creation of a game show.  In the game you have 25 cases, all with "
        "values "
        "ranging from $1,000,000 down to $1, and you are given a chance to pick one case to be "
        "your "
        "case for the rest of the game.  After you pick your case, you open other cases (by "
        "clicking on the cases), and after a certain number of cases are opened the banker will "
        "call you with an offer.  The banker will offer a certain amount of money to 'buy' your "
        "case from you, and you get the chance to make the ultimate choice:  Zumo...or No Zumo.  "
        "When there are only two cases left, your case will be opened and the number inside will "
        "indicate how much money you win.");
    EXPECT_EQ(std::count(sink.told[1].begin(), sink.told[1].end(), '.'), 2);
}
