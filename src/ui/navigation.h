// What a window asks of the program when it hands over to the other window or ends the program.
#pragma once

namespace zumo {

// Each call unloads the calling window (deferred: it stays alive until the event loop gets back to
// the level it was called from), so it must be the last thing the caller's handler does.
class Navigation
{
public:
    virtual ~Navigation() = default;
    virtual void startGame() = 0; // a fresh board, shown before the lobby is unloaded
    virtual void returnToLobby() = 0; // a fresh lobby (name read again), then the board is unloaded
    virtual void endProgram() = 0; // at once, without a question
};

} // namespace zumo
