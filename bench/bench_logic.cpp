// Micro-benchmarks of the game logic: set-up, the offer, and a whole game with its slide.
#include "../tests/support/scripted.h"

#include <benchmark/benchmark.h>
#include <string>

using namespace zumo;

namespace {

class SilentHost final : public BoardHost
{
public:
    bool askYesNo(const std::string &) override { return false; }
    void tell(const std::string &) override { }
    void returnToLobby() override { ++returns; }
    int returns = 0;
};

// A board with silent boxes and a fixed seed, so every run times the same games.
struct Bench
{
    Bench() { board.Form_Load(); }
    SilentHost host;
    ScriptedRandom random { 42 };
    const std::string name = "PLAYER";
    Board board { host, random, name };
};

void BM_SetUp(benchmark::State &state)
{
    Bench b;
    for (auto _ : state) {
        b.board.Form_Load();
        benchmark::DoNotOptimize(b.board.state().lblCase[0].Tag.data());
    }
}
BENCHMARK(BM_SetUp);

void BM_CalculateOffer(benchmark::State &state)
{
    Bench b;
    BoardState &s = BoardProbe::state(b.board);
    s.stage = 1;
    for (auto _ : state) {
        BoardProbe::CalculateOffer(b.board);
        benchmark::DoNotOptimize(s.currentOffer);
    }
}
BENCHMARK(BM_CalculateOffer);

// Set-up, the player's case, 23 openings with eight refused offers, 516 ticks and the verdict.
void BM_WholeGame(benchmark::State &state)
{
    Bench b;
    for (auto _ : state) {
        b.board.Form_Load();
        for (int i = 0; i < CaseCount; ++i)
            b.board.lblCase_Click(i);
        while (b.board.state().tmrMoveCase.Enabled)
            b.board.tmrMoveCase_Timer();
        benchmark::DoNotOptimize(b.host.returns);
    }
}
BENCHMARK(BM_WholeGame);

} // namespace

BENCHMARK_MAIN();
