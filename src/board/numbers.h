// The game's number rules: amount texts to numbers, rounding, and how it writes numbers itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zumo {

// Nearest whole number, an exact half going to the even neighbour (18.5 → 18, 291667.5 → 291668).
// Independent of the floating-point environment's rounding mode.
double roundHalfEven(double x);

// The number behind an amount text, reading commas as thousands separators ("1,000,000" → 1e6).
// Anything that is not a digit or a comma ends the number; an empty or digitless text reads as 0.
double amountValue(std::string_view text);

// Plain decimal digits, no separators and no leading blank ("41250", "-3").
std::string plainDigits(std::int64_t n);

} // namespace zumo
