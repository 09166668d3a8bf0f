// Test doubles for the board's ports: a scripted random source, a scripted host, and a probe.
#pragma once

#include "board/board.h"

#include <array>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace zumo {

// Tests stage situations that play alone cannot reach (a case off the slide's grid, EndGame in
// stage 3) by writing the board's state directly and calling its private procedures.
struct BoardProbe
{
    static BoardState &state(Board &b) { return b; }
    static void CalculateOffer(Board &b) { b.CalculateOffer(); }
    static void ShowTask(Board &b) { b.ShowTask(); }
    static void EndGame(Board &b) { b.EndGame(); }
};

// Draws from a list, then from a seeded engine; counts set-ups so tests can see the reseed.
class ScriptedRandom final : public RandomSource
{
public:
    explicit ScriptedRandom(std::uint32_t seed = 1)
        : m_seed(seed)
    { }

    // Draws that give case i the value index valueIndexOfCase[i], one draw per case.
    static ScriptedRandom forAssignment(const std::array<int, CaseCount> &valueIndexOfCase)
    {
        ScriptedRandom r;
        for (const int k : valueIndexOfCase)
            r.m_script.push_back((static_cast<float>(k) + 0.5f) / CaseCount);
        return r;
    }

    void push(float draw) { m_script.push_back(draw); }

    void reseed() override
    {
        ++reseeds;
        m_engine.seed(m_seed + static_cast<std::uint32_t>(reseeds));
    }
    float draw() override
    {
        ++draws;
        if (m_next < m_script.size())
            return m_script[m_next++];
        return static_cast<float>(m_engine() >> 8) * 0x1p-24f; // never 1, unlike some distributions
    }

    int reseeds = 0;
    int draws = 0;

private:
    std::uint32_t m_seed;
    std::mt19937 m_engine;
    std::vector<float> m_script;
    std::size_t m_next = 0;
};

// Answers offers from a script (default: refuse) and records every box and the hand-over.
class ScriptedHost final : public BoardHost
{
public:
    bool askYesNo(const std::string &prompt) override
    {
        offers.push_back(prompt);
        const bool yes = answer ? answer(static_cast<int>(offers.size())) : false;
        if (onBox)
            onBox(prompt);
        return yes;
    }
    void tell(const std::string &prompt) override
    {
        told.push_back(prompt);
        if (onBox)
            onBox(prompt);
    }
    void returnToLobby() override { ++returns; }

    std::function<bool(int offerNumber)> answer; // 1-based; unset refuses every offer
    std::function<void(const std::string &prompt)> onBox; // sees the board while a box is open
    std::vector<std::string> offers;
    std::vector<std::string> told;
    int returns = 0;
};

// A board with its doubles, loaded and ready for the first click.
struct TestGame
{
    explicit TestGame(ScriptedRandom r = ScriptedRandom(), std::string name = "PLAYER")
        : random(std::move(r))
        , playerName(std::move(name))
    {
        board.Form_Load();
    }

    const BoardState &state() const { return board.state(); }
    BoardState &poke() { return BoardProbe::state(board); }

    ScriptedHost host;
    ScriptedRandom random;
    std::string playerName;
    Board board { host, random, playerName };
};

// The identity assignment: case i holds value index i.
inline std::array<int, CaseCount> identityAssignment()
{
    std::array<int, CaseCount> a {};
    for (int i = 0; i < CaseCount; ++i)
        a[i] = i;
    return a;
}

} // namespace zumo
