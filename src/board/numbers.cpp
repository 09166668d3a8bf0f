#include "numbers.h"

#include <cmath>

namespace zumo {

double roundHalfEven(double x)
{
    const double lower = std::floor(x);
    const double fraction = x - lower;
    if (fraction < 0.5)
        return lower;
    if (fraction > 0.5)
        return lower + 1.0;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

double amountValue(std::string_view text)
{
    double value = 0;
    for (const char c : text) {
        if (c == ',')
            continue;
        if (c < '0' || c > '9')
            break;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::string plainDigits(std::int64_t n)
{
    return std::to_string(n);
}

} // namespace zumo
