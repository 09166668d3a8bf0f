// What colour, place and movement tell a sighted player, in words for assistive technology.
#pragma once

#include "board.h"

#include <string>
#include <vector>

namespace zumo {

// "Case 7, closed", "Case 7, your case, closed", "Case 7, your case, opened" or "Case 7, opened".
std::string caseDescription(const BoardState &s, int index);

// "Still in play" or "Opened": what the value label's white colour says.
std::string valueDescription(const BoardState &s, int index);

// What a sighted player saw happen between two views of one board, in the order it happened: the
// amount of each case opened, the case made the player's own, a new instruction, the start of the
// slide. An instruction emptied for the banker's call is nothing to hear.
std::vector<std::string> announcements(const BoardState &before, const BoardState &after);

// The amounts not yet whitened on the value board, in its order, and how many cases hold them:
// "3 cases remain, holding $1,000,000, $10 and $1."
std::string amountsInPlay(const BoardState &s);

} // namespace zumo
