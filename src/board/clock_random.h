// The production random source: a fresh seed from the time of day at every set-up.
#pragma once

#include "board_host.h"

#include <random>

namespace zumo {

class ClockRandom final : public RandomSource
{
public:
    void reseed() override;
    float draw() override;

    // Seconds since local midnight, fraction included, as the seed is taken.
    static float secondsSinceMidnight();

private:
    std::mt19937 m_engine;
};

} // namespace zumo
