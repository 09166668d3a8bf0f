// Micro-benchmarks of the game logic: set-up, the offer, and a whole game with its slide.
#include "../tests/support/scripted.h"

#include <benchmark/benchmark.h>

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

void BM_SetUp(benchmark::State &state)
{
    SilentHost host;
    ScriptedRandom random(42);
    const std::string name = "PLAYER";
    Board board(host, random, name);
    for (auto _ : state) {
        board.Form_Load();
        benchmark::DoNotOptimize(board.state().lblCase[0].Tag.data());
    }
}
BENCHMARK(BM_SetUp);

void BM_CalculateOffer(benchmark::State &state)
{
    SilentHost host;
    ScriptedRandom random(42);
    const std::string name = "PLAYER";
    Board board(host, random, name);
    board.Form_Load();
    BoardState &s = BoardProbe::state(board);
    s.stage = 1;
    for (auto _ : state) {
        BoardProbe::CalculateOffer(board);
        benchmark::DoNotOptimize(s.currentOffer);
    }
}
BENCHMARK(BM_CalculateOffer);

// Set-up, the player's case, 23 openings with eight refused offers, 516 ticks and the verdict.
void BM_WholeGame(benchmark::State &state)
{
    SilentHost host;
    ScriptedRandom random(42);
    const std::string name = "PLAYER";
    Board board(host, random, name);
    for (auto _ : state) {
        board.Form_Load();
        for (int i = 0; i < CaseCount; ++i)
            board.lblCase_Click(i);
        while (board.state().tmrMoveCase.Enabled)
            board.tmrMoveCase_Timer();
        benchmark::DoNotOptimize(host.returns);
    }
}
BENCHMARK(BM_WholeGame);

} // namespace

BENCHMARK_MAIN();
