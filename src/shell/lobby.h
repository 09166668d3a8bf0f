// The lobby's logic: its load step, the hover highlight of its four commands, and what they run.
#pragma once

#include "player_name.h"

#include <array>
#include <optional>
#include <string>

namespace zumo {

enum class LobbyCommand { New, Help, About, Exit }; // top to bottom, as the labels stand

class LobbyHost
{
public:
    virtual ~LobbyHost() = default;
    virtual void startGame() = 0; // shows the board, then unloads the lobby: touch nothing after
    virtual void showHowToPlay() = 0;
    virtual void showAbout() = 0;
    virtual void endProgram() = 0; // at once, from inside the handler
};

constexpr float CommandFontSize = 18; // points
constexpr float HoverFontSize = 24;

class Lobby
{
public:
    // env and host outlive the lobby; playerName is the program-wide name the lobby reads into.
    Lobby(LobbyHost &host, const Environment &env, std::string &playerName);

    void Form_Load();

    // MouseMove of a command label: it gets 24 pt and the other three 18, written in label order
    // every time. Nothing resets the sizes when the pointer leaves.
    void commandMouseMove(LobbyCommand raisedBy);

    // Click procedures; each menu item of the lobby calls the one with the same meaning.
    void lblNew_Click() { m_host.startGame(); }
    void lblHelp_Click() { m_host.showHowToPlay(); }
    void lblAbout_Click() { m_host.showAbout(); }
    void lblExit_Click() { m_host.endProgram(); }

    float fontSize(LobbyCommand command) const { return m_fontSize[static_cast<int>(command)]; }
    // The command drawn large, once the pointer (or the keyboard) has made one current.
    std::optional<LobbyCommand> highlighted() const;

private:
    LobbyHost &m_host;
    const Environment &m_env;
    std::string &m_playerName;
    std::array<float, 4> m_fontSize { CommandFontSize, CommandFontSize, CommandFontSize,
        CommandFontSize };
};

} // namespace zumo
