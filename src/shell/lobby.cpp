#include "lobby.h"

namespace zumo {

Lobby::Lobby(LobbyHost &host, const Environment &env, std::string &playerName)
    : m_host(host)
    , m_env(env)
    , m_playerName(playerName)
{ }

void Lobby::Form_Load()
{
    m_playerName = GetUsername(m_env);
}

void Lobby::commandMouseMove(LobbyCommand raisedBy)
{
    for (std::size_t i = 0; i < m_fontSize.size(); ++i)
        m_fontSize[i]
            = static_cast<int>(i) == static_cast<int>(raisedBy) ? HoverFontSize : CommandFontSize;
}

std::optional<LobbyCommand> Lobby::highlighted() const
{
    for (std::size_t i = 0; i < m_fontSize.size(); ++i) {
        if (m_fontSize[i] == HoverFontSize)
            return static_cast<LobbyCommand>(i);
    }
    return std::nullopt;
}

} // namespace zumo
