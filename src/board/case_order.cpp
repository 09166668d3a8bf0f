#include "case_order.h"

namespace zumo {

namespace {

// Set-up numbers the cases row by row, five to a row, and a closed case never leaves its place.
constexpr int GridColumns = 5;

} // namespace

bool inPlay(const BoardState &s, int index)
{
    return index >= 0 && index < CaseCount && s.lblCase[index].Visible && s.lblCase[index].Enabled;
}

int nextCaseInPlay(const BoardState &s, int index, int step)
{
    int at = index < 0 ? (step > 0 ? -1 : 0) : index;
    for (int seen = 0; seen < CaseCount; ++seen) {
        at = (at + step + CaseCount) % CaseCount;
        if (inPlay(s, at))
            return at;
    }
    return -1;
}

int caseInColumn(const BoardState &s, int index, int rows)
{
    if (index < 0 || index >= CaseCount)
        return -1;
    for (int at = index + rows * GridColumns; at >= 0 && at < CaseCount; at += rows * GridColumns) {
        if (inPlay(s, at))
            return at;
    }
    return -1;
}

} // namespace zumo
