// What bench_game and the probe it injects into each child agree on: variables, report lines, clock.
#pragma once

#include <cstdint>
#include <ctime>

namespace zumo::bench {

// The probe acts only in a process whose environment names a script, so a stray LD_PRELOAD
// changes nothing.
inline constexpr char ScriptVariable[] = "ZUMO_BENCH_SCRIPT";
inline constexpr char GameScript[] = "game"; // the real lobby and board
inline constexpr char FloorScript[] = "floor"; // bench_floor's empty window and stand-ins
// Set to 1 to go on after the clicks: the game to the end of a game (the slide), the floor to its
// bare timer. Any other value stops there.
inline constexpr char SlideVariable[] = "ZUMO_BENCH_SLIDE";
// The inherited pipe the probe writes its report to, one line per figure.
inline constexpr char ReportFdVariable[] = "ZUMO_BENCH_REPORT_FD";

// Report lines, "<key> <integers...>", times in nanoseconds, memory in KiB:
inline constexpr char StartupKey[] = "startup"; // <monotonic time of first frame> <VmHWM> <RssAnon>
inline constexpr char WindowKey[] = "window"; // <to the new window's frame> <VmHWM> <RssAnon>
inline constexpr char ClickKey[] = "click"; // <press -> frame without the clicked label>
inline constexpr char SlideKey[] = "slide"; // <start -> last tick> <largest gap> <ticks>
inline constexpr char ErrorKey[] = "error"; // followed by a message, not integers

// The design's slide: 516 ticks of a 15 ms timer.
inline constexpr int SlideTicks = 516;
inline constexpr int TickMs = 15;
// Openings timed per run: stage 1 asks for six, and the sixth brings the banker's box.
inline constexpr int TimedClicks = 5;

// CLOCK_MONOTONIC is one clock for every process on the machine, so a child's timestamp can be
// subtracted from the parent's spawn time without any exchange between them.
inline std::int64_t monotonicNs()
{
    timespec t {};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return std::int64_t { t.tv_sec } * 1'000'000'000 + t.tv_nsec;
}

} // namespace zumo::bench
