// What colour and position tell a sighted player, in words for assistive technology.
#pragma once

#include "board.h"

#include <string>

namespace zumo {

// "Case 7, closed", "Case 7, your case, closed", "Case 7, your case, opened" or "Case 7, opened".
std::string caseDescription(const BoardState &s, int index);

// "Still in play" or "Opened": what the value label's white colour says.
std::string valueDescription(const BoardState &s, int index);

} // namespace zumo
