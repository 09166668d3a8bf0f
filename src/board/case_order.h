// The order a player moves through the cases in without a mouse: number order, and the grid's columns.
#pragma once

#include "board.h"

namespace zumo {

// A case the player can still act on: shown and enabled, so neither their own nor an opened one.
bool inPlay(const BoardState &s, int index);

// The next case in play after index in number order (step +1), or the one before it (step -1),
// wrapping round; from index -1 it gives the first (step +1) or the last (step -1) in play.
// -1 when no case is in play.
int nextCaseInPlay(const BoardState &s, int index, int step);

// The nearest case in play in index's column of the grid, below it (rows +1) or above it
// (rows -1); -1 when the column has none that way.
int caseInColumn(const BoardState &s, int index, int rows);

} // namespace zumo
