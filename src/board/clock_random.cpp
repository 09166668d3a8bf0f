#include "clock_random.h"

#include <bit>
#include <chrono>
#include <cstdint>
#include <ctime>

namespace zumo {

float ClockRandom::secondsSinceMidnight()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t t = system_clock::to_time_t(now);
    // std::localtime, not POSIX localtime_r or Windows' localtime_s: the standard call builds
    // everywhere. Its result lives in storage shared by the whole program, so it is copied at
    // once; only the UI thread reads the clock.
    std::tm local {};
    if (const std::tm *shared = std::localtime(&t))
        local = *shared;
    const double fraction = duration<double>(now - system_clock::from_time_t(t)).count();
    return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

void ClockRandom::reseed()
{
    m_engine.seed(std::bit_cast<std::uint32_t>(secondsSinceMidnight()));
}

float ClockRandom::draw()
{
    // 24 random bits scaled by 2^-24: every float in [0, 1 - 2^-24], never 1 itself.
    return static_cast<float>(m_engine() >> 8) * 0x1p-24f;
}

} // namespace zumo
