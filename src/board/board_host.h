// What the game asks of the window that shows it, and where its randomness comes from.
#pragma once

#include <string>

namespace zumo {

class BoardHost
{
public:
    virtual ~BoardHost() = default;
    // Modal Yes/No box titled with the game title, Yes the default; true only for Yes.
    virtual bool askYesNo(const std::string &prompt) = 0;
    // Modal box with one OK button.
    virtual void tell(const std::string &prompt) = 0;
    // Shows the lobby and unloads the board: the caller touches nothing of the board afterwards.
    virtual void returnToLobby() = 0;
};

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // Called once at every set-up, before the first draw.
    virtual void reseed() = 0;
    // Uniform in [0, 1): a draw of exactly 1 would index past the amounts.
    virtual float draw() = 0;
};

} // namespace zumo
