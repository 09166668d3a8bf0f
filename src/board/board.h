// The game board as plain data and the three events that drive it: load, a click on a case, a tick.
#pragma once

#include "board_host.h"
#include "slots.h"
#include "tables.h"

#include <array>
#include <cstdint>
#include <string>

namespace zumo {

struct TaskSlot
{
    std::string Caption; // wraps at word boundaries in its box
};

struct TimerSlot
{
    bool Enabled = false;
    int Interval = 15; // milliseconds
};

// Everything a loaded board window holds between two events. The view draws it; only Board writes it.
struct BoardState
{
    std::int16_t stage = 0; // 0 choose, 1..8 opening, 9 all offers refused, 10 offer accepted
    std::int16_t chosenCase = 0; // 0..24
    std::int16_t openedTotal = 0; // 0..23
    std::int16_t openedThisStage = 0;
    std::int32_t currentOffer = 0; // whole dollars
    std::array<std::int16_t, CaseCount> valueTaken {};
    std::array<std::int16_t, StageCount> picksPerStage {};

    std::array<CaseSlot, CaseCount> lblCase {};
    std::array<ValueSlot, CaseCount> lblValues {};
    TaskSlot lblTask;
    TimerSlot tmrMoveCase;
};

// Final place of the player's case after the slide, and where it waits before (twips).
constexpr float SlideEndLeft = 6000;
constexpr float SlideEndTop = 1920;
constexpr float OwnCaseLeft = 11040;
constexpr float OwnCaseTop = 7080;

class Board : private BoardState
{
public:
    // host and random outlive the board; playerName is the shell's, read when the banker calls.
    Board(BoardHost &host, RandomSource &random, const std::string &playerName);

    Board(const Board &) = delete;
    Board &operator=(const Board &) = delete;

    // The window's load step: a fresh board in stage 0, asking for the player's case.
    void Form_Load();
    // A click on case label index. Like the platform, a hidden, disabled or missing label does nothing.
    void lblCase_Click(int index);
    // One tick of tmrMoveCase; ignored while the timer is off. May end in host.returnToLobby().
    void tmrMoveCase_Timer();

    const BoardState &state() const { return *this; }

private:
    friend struct BoardProbe; // tests reach into the state to stage situations play cannot reach

    void GetValues(const std::int16_t &caseIndex);
    void SwitchValues(const std::int16_t &caseIndex);
    void CalculateOffer();
    void ShowTask();
    void EndGame();

    void chooseOwnCase(int index);
    void openCase(int index);
    void bankerCalls();

    BoardHost &m_host;
    RandomSource &m_random;
    const std::string &m_playerName;
};

} // namespace zumo
