// The benchmark table: the real game against an empty window and the logic alone, all from one run.
//
// Every figure of the game comes from a child process: the real binary, or bench_floor's empty
// window (and, for comparison, the same window showing one word), each with the probe preloaded
// to play it and report. Children alternate, so machine noise falls on every column alike, and
// only figures measured in this run are compared.
#include "protocol.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char **environ;

namespace zumo::bench {

namespace {

// Rounds of children timed (the floor, the floor with text, the game), after one warm-up round.
constexpr int Runs = 31;
constexpr auto ChildDeadline = std::chrono::seconds(60);
// After each child: the X server frees the dead client's windows and the kernel its memory, which
// would otherwise run on the other core against the next child's start-up.
constexpr auto Pause = std::chrono::milliseconds(100);

// ---- children

struct Child
{
    pid_t pid = -1;
    int output = -1; // the read end of the child's report pipe (or of its stdout)
    std::int64_t spawnedAt = 0; // CLOCK_MONOTONIC, taken right before posix_spawn
};

[[noreturn]] void fail(const std::string &why)
{
    throw std::runtime_error(why);
}

// Starts path with the parent's environment plus extra; the pipe's write end becomes the child's
// descriptor childFd (3 for a probe's report, 1 for a program's stdout).
Child spawn(const char *path, const std::vector<std::string> &args,
    const std::vector<std::string> &extra, int childFd)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        fail(std::string("pipe: ") + std::strerror(errno));

    std::vector<std::string> env = extra;
    for (char **e = environ; *e; ++e) {
        const std::string var = *e;
        const std::string name = var.substr(0, var.find('='));
        const bool overridden = std::any_of(extra.begin(), extra.end(),
            [&](const std::string &x) { return x.compare(0, name.size() + 1, name + '=') == 0; });
        if (!overridden)
            env.push_back(var);
    }
    std::vector<char *> envp;
    for (auto &v : env)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    std::vector<std::string> argStrings { path };
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (auto &a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], childFd); // dup2 clears close-on-exec

    Child child;
    child.output = fds[0];
    child.spawnedAt = monotonicNs();
    const int rc = posix_spawn(&child.pid, path, &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0)
        fail(std::string("spawn ") + path + ": " + std::strerror(rc));
    return child;
}

// Everything the child writes until it exits; it must exit with 0 before the deadline.
std::string collect(const Child &child, const char *what)
{
    const auto deadline = std::chrono::steady_clock::now() + ChildDeadline;
    std::string text;
    char buffer[4096];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p { child.output, POLLIN, 0 };
        if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) == 0) {
            kill(child.pid, SIGKILL);
            waitpid(child.pid, nullptr, 0);
            close(child.output);
            fail(std::string(what) + ": no end after " + std::to_string(ChildDeadline.count())
                + " s; so far: " + text);
        }
        const ssize_t n = read(child.output, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    close(child.output);
    int status = 0;
    waitpid(child.pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        fail(std::string(what) + " failed (status " + std::to_string(status) + "): " + text);
    return text;
}

// ---- one played window

struct Run
{
    double startupMs = 0; // spawn -> first frame
    double peakAtFirstMiB = 0;
    double privateAtFirstMiB = 0;
    double windowMs = 0; // New Game (or the floor's new window) -> its first frame
    double peakAtWindowMiB = 0;
    double privateAtWindowMiB = 0;
    std::vector<double> clicksMs;
    double slideMs = 0;
    double largestGapMs = 0;
};

double ms(std::int64_t ns)
{
    return static_cast<double>(ns) / 1e6;
}

double mib(std::int64_t kib)
{
    return static_cast<double>(kib) / 1024;
}

Run play(const char *program, const std::vector<std::string> &args, const char *script, bool slide,
    const char *probe)
{
    const Child child = spawn(program, args,
        { std::string("LD_PRELOAD=") + probe, std::string(ScriptVariable) + '=' + script,
            std::string(SlideVariable) + '=' + (slide ? "1" : "0"),
            std::string(ReportFdVariable) + "=3", "NWUSERNAME=BENCH" },
        3);
    const std::string text = collect(child, script);
    std::this_thread::sleep_for(Pause);

    std::map<std::string, std::vector<std::vector<std::int64_t>>> lines;
    std::istringstream report(text);
    for (std::string line; std::getline(report, line);) {
        std::istringstream fields(line);
        std::string key;
        fields >> key;
        if (key == ErrorKey)
            fail(std::string(script) + ": " + line);
        std::vector<std::int64_t> values;
        for (std::int64_t v; fields >> v;)
            values.push_back(v);
        lines[key].push_back(std::move(values));
    }
    const auto one = [&](const char *key, std::size_t count) -> const std::vector<std::int64_t> & {
        const auto it = lines.find(key);
        if (it == lines.end() || it->second.size() != 1 || it->second[0].size() != count)
            fail(std::string(script) + ": no single '" + key + "' line in: " + text);
        return it->second[0];
    };

    Run run;
    const auto &startup = one(StartupKey, 3);
    run.startupMs = ms(startup[0] - child.spawnedAt);
    run.peakAtFirstMiB = mib(startup[1]);
    run.privateAtFirstMiB = mib(startup[2]);
    const auto &window = one(WindowKey, 3);
    run.windowMs = ms(window[0]);
    run.peakAtWindowMiB = mib(window[1]);
    run.privateAtWindowMiB = mib(window[2]);
    for (const auto &click : lines[ClickKey])
        run.clicksMs.push_back(ms(click.at(0)));
    if (run.clicksMs.size() != TimedClicks)
        fail(std::string(script) + ": expected " + std::to_string(TimedClicks) + " clicks");
    if (slide) {
        const auto &s = one(SlideKey, 3);
        if (s[2] != SlideTicks)
            fail(std::string(script) + ": the slide took " + std::to_string(s[2]) + " ticks");
        run.slideMs = ms(s[0]);
        run.largestGapMs = ms(s[1]);
    }
    return run;
}

// ---- the logic's micro-benchmarks, as bench_logic reports them

constexpr int LogicRepetitions = 9;

// Microseconds of wall time per iteration, one value per repetition, by benchmark name.
std::map<std::string, std::vector<double>> logicTimes(const char *benchLogic)
{
    const Child child = spawn(benchLogic,
        { "--benchmark_format=json", "--benchmark_min_time=0.2",
            "--benchmark_repetitions=" + std::to_string(LogicRepetitions) },
        {}, 1);
    const std::string text = collect(child, "bench_logic");
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text));
    std::map<std::string, std::vector<double>> times;
    const auto scale = std::map<QString, double> { { QStringLiteral("ns"), 1e-3 },
        { QStringLiteral("us"), 1.0 }, { QStringLiteral("ms"), 1e3 } };
    for (const QJsonValue &v : doc.object().value(QLatin1String("benchmarks")).toArray()) {
        const QJsonObject b = v.toObject();
        if (b.value(QLatin1String("run_type")).toString() != QLatin1String("iteration"))
            continue;
        times[b.value(QLatin1String("run_name")).toString().toStdString()].push_back(
            b.value(QLatin1String("real_time")).toDouble()
            * scale.at(b.value(QLatin1String("time_unit")).toString()));
    }
    if (times.empty())
        fail("bench_logic: no results in: " + text);
    return times;
}

// ---- the table

struct Stats
{
    double min, median, max;
};

Stats stats(std::vector<double> v)
{
    if (v.empty())
        fail("no samples");
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    const double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return { v.front(), median, v.back() };
}

template<typename Field> Stats over(const std::vector<Run> &runs, Field field)
{
    std::vector<double> values;
    for (const Run &r : runs)
        values.push_back(r.*field);
    return stats(std::move(values));
}

Stats clicksOver(const std::vector<Run> &runs)
{
    std::vector<double> values;
    for (const Run &r : runs)
        values.insert(values.end(), r.clicksMs.begin(), r.clicksMs.end());
    return stats(std::move(values));
}

template<typename... Values> std::string format(const char *pattern, Values... values)
{
    char text[256];
    std::snprintf(text, sizeof text, pattern, values...);
    return text;
}

std::string cell(const Stats &s, int decimals)
{
    return format("%.*f / **%.*f** / %.*f", decimals, s.min, decimals, s.median, decimals, s.max);
}

void row(const std::string &figure, const std::string &floor, const std::string &game,
    const std::string &versus, const std::string &target, bool met)
{
    std::printf("| %s | %s | %s | %s | %s | %s |\n", figure.c_str(), floor.c_str(), game.c_str(),
        versus.c_str(), target.c_str(), met ? "yes" : "**no**");
}

std::string cpuModel()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    for (std::string line; std::getline(cpuinfo, line);) {
        if (line.rfind("model name", 0) == 0)
            return line.substr(line.find(':') + 2);
    }
    return "unknown";
}

// The 1-minute load average: how busy the machine was besides this run.
std::string loadAverage()
{
    std::ifstream loadavg("/proc/loadavg");
    std::string oneMinute;
    loadavg >> oneMinute;
    return oneMinute;
}

// All CPUs' time so far, and how much of it a hypervisor gave to someone else, in clock ticks.
struct CpuTicks
{
    long long total = 0;
    long long stolen = 0;
};

CpuTicks cpuTicks()
{
    std::ifstream stat("/proc/stat");
    std::string cpu;
    stat >> cpu; // the first line sums all CPUs: user nice system idle iowait irq softirq steal
    CpuTicks ticks;
    for (int field = 0; field < 8; ++field) {
        long long value = 0;
        stat >> value;
        ticks.total += value;
        if (field == 7)
            ticks.stolen = value;
    }
    return ticks;
}

struct Results
{
    std::vector<Run> floors, textFloors, games;
    std::map<std::string, std::vector<double>> logic;
    std::string loadBefore, loadAfter;
    CpuTicks before, after;
};

void printTable(const Results &r, const std::string &platform)
{
    const double stolen = 100.0 * static_cast<double>(r.after.stolen - r.before.stolen)
        / static_cast<double>(std::max(1LL, r.after.total - r.before.total));
    std::printf("%d runs of each, in rotating order, after one warm-up round; platform %s; %ld "
                "cores, %s; Qt %s; load average %s before, %s after; %.1f %% of CPU time stolen "
                "by the hypervisor meanwhile.\n"
                "Each cell: min / **median** / max; targets are judged on the median.\n\n",
        Runs, platform.c_str(), sysconf(_SC_NPROCESSORS_ONLN), cpuModel().c_str(), qVersion(),
        r.loadBefore.c_str(), r.loadAfter.c_str(), stolen);
    std::printf("| figure | floor | game | game vs floor | target | met |\n"
                "|---|---|---|---|---|---|\n");

    const Stats startupF = over(r.floors, &Run::startupMs);
    const Stats startupG = over(r.games, &Run::startupMs);
    const double ratio = startupG.median / startupF.median;
    row("start-up: spawn → lobby's first frame (ms)", cell(startupF, 1), cell(startupG, 1),
        format("%.2f ×", ratio), "≤ 1.30 ×", ratio <= 1.30);
    const Stats startupT = over(r.textFloors, &Run::startupMs);
    row("start-up, for comparison: the floor as a QLabel with one word (ms)", cell(startupF, 1),
        cell(startupT, 1), format("%.2f ×", startupT.median / startupF.median), "—", true);

    const Stats windowF = over(r.floors, &Run::windowMs);
    const Stats windowG = over(r.games, &Run::windowMs);
    row("New Game: click → board's first frame (ms)", cell(windowF, 2), cell(windowG, 2),
        format("%+.2f ms", windowG.median - windowF.median), "≤ 10 ms", windowG.median <= 10);

    const Stats clickF = clicksOver(r.floors);
    const Stats clickG = clicksOver(r.games);
    row(format("case: press → frame without it (ms, %d a run)", TimedClicks), cell(clickF, 2),
        cell(clickG, 2), format("%+.2f ms", clickG.median - clickF.median), "≤ 4 ms",
        clickG.median <= 4);

    const double nominal = SlideTicks * TickMs;
    const Run &slideF = r.floors.back();
    const Run &slideG = r.games.back();
    const double drift = (slideG.slideMs - nominal) / nominal * 100;
    row(format("slide: %d ticks of %d ms (ms; nominal %.0f)", SlideTicks, TickMs, nominal),
        format("%.1f", slideF.slideMs), format("%.1f", slideG.slideMs),
        format("%+.3f %% of nominal", drift), "within ±0.3 %", std::abs(drift) <= 0.3);
    row("slide: largest gap between ticks (ms)", format("%.1f", slideF.largestGapMs),
        format("%.1f", slideG.largestGapMs),
        format("%+.1f ms", slideG.largestGapMs - slideF.largestGapMs), "—", true);

    const Stats peakF = over(r.floors, &Run::peakAtFirstMiB);
    const Stats privateF = over(r.floors, &Run::privateAtFirstMiB);
    const auto memoryRow
        = [](const std::string &figure, const Stats &floor, const Stats &game, bool judged) {
              const double more = game.median - floor.median;
              row(figure, cell(floor, 1), cell(game, 1), format("%+.1f MiB", more),
                  judged ? "≤ floor + 5 MiB" : "—", !judged || more <= 5);
          };
    memoryRow("peak RSS (VmHWM) at the lobby's first frame (MiB)", peakF,
        over(r.games, &Run::peakAtFirstMiB), true);
    memoryRow("peak RSS (VmHWM) at the board's first frame (MiB)", peakF,
        over(r.games, &Run::peakAtWindowMiB), true);
    memoryRow("peak RSS, for comparison: the floor as a QLabel with one word (MiB)", peakF,
        over(r.textFloors, &Run::peakAtFirstMiB), false);
    memoryRow("private memory (RssAnon) at the lobby's first frame (MiB)", privateF,
        over(r.games, &Run::privateAtFirstMiB), false);
    memoryRow("private memory (RssAnon) at the board's first frame (MiB)", privateF,
        over(r.games, &Run::privateAtWindowMiB), false);

    const auto logicRow = [&](const char *figure, const char *name, double targetUs) {
        const auto it = r.logic.find(name);
        if (it == r.logic.end())
            fail(std::string("bench_logic has no ") + name);
        const Stats s = stats(it->second);
        const bool judged = targetUs > 0;
        row(figure, "—", cell(s, 2), "—", judged ? format("≤ %.0f µs", targetUs) : "—",
            !judged || s.median <= targetUs);
    };
    logicRow("logic: set-up, Form_Load (µs)", "BM_SetUp", 0);
    logicRow("logic: CalculateOffer (µs)", "BM_CalculateOffer", 0);
    logicRow("logic: a whole scripted game with its slide (µs)", "BM_WholeGame", 20);

    std::printf("\nFloors: start-up and memory, bench_floor's empty QWidget of the lobby's size; "
                "New Game, a new empty QWidget of the board's size shown in its place; a case, a "
                "case-sized box of that window hidden by its click; the slide, a bare %d ms "
                "PreciseTimer. Logic: bench_logic, %d repetitions of each benchmark.\n",
        TickMs, LogicRepetitions);
}

// A private XDG_RUNTIME_DIR for the children when there is none: Qt warns in each of them
// otherwise. Removed when the run ends, however it ends.
class RuntimeDir
{
public:
    RuntimeDir()
    {
        if (std::getenv("XDG_RUNTIME_DIR"))
            return;
        char pattern[] = "/tmp/bench_game-XXXXXX"; // mkdtemp makes it 0700: private to us
        if (!mkdtemp(pattern))
            fail(std::string("mkdtemp: ") + std::strerror(errno));
        m_path = pattern;
        setenv("XDG_RUNTIME_DIR", pattern, 1);
    }
    ~RuntimeDir()
    {
        std::error_code ignored;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ignored);
    }
    RuntimeDir(const RuntimeDir &) = delete;
    RuntimeDir &operator=(const RuntimeDir &) = delete;

private:
    std::filesystem::path m_path;
};

int run()
{
    // xcb: the frames go through a real X server, as a player's do (make bench starts Xvfb).
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    const std::string platform = std::getenv("QT_QPA_PLATFORM");
    if (platform == "xcb" && !std::getenv("DISPLAY"))
        fail("no DISPLAY: run under an X server, e.g. xvfb-run (make bench does)");
    const RuntimeDir runtimeDir;

    Results r;
    r.loadBefore = loadAverage();
    r.before = cpuTicks();
    for (int i = -1; i < Runs; ++i) {
        const bool slide = i == Runs - 1; // the last round also plays to the end of a game
        const bool counted = i >= 0; // round -1 fills the page cache
        const std::array<std::function<void()>, 3> children {
            [&] {
                Run run = play(ZUMO_BENCH_FLOOR, {}, FloorScript, slide, ZUMO_BENCH_PROBE);
                if (counted)
                    r.floors.push_back(std::move(run));
            },
            [&] {
                Run run
                    = play(ZUMO_BENCH_FLOOR, { "--text" }, FloorScript, false, ZUMO_BENCH_PROBE);
                if (counted)
                    r.textFloors.push_back(std::move(run));
            },
            [&] {
                Run run = play(ZUMO_BENCH_GAME, {}, GameScript, slide, ZUMO_BENCH_PROBE);
                if (counted)
                    r.games.push_back(std::move(run));
            },
        };
        // Each round starts one later, so no program always follows the same one: whatever one
        // child leaves behind (the X server tidying up, the kernel reclaiming) falls on all.
        for (std::size_t k = 0; k < children.size(); ++k)
            children[(k + static_cast<std::size_t>(i + 1)) % children.size()]();
    }
    r.logic = logicTimes(ZUMO_BENCH_LOGIC);
    r.loadAfter = loadAverage();
    r.after = cpuTicks();
    printTable(r, platform);
    return 0;
}

} // namespace

} // namespace zumo::bench

int main()
{
    try {
        return zumo::bench::run();
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_game: %s\n", e.what());
        return 1;
    }
}
