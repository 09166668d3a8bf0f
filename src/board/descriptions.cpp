#include "descriptions.h"

namespace zumo {

namespace {

// The value board is the record of what was opened: a white amount is an opened case's. A case's
// caption cannot tell, since case "1" holding $1 reads "1" both closed and open.
bool amountWhitened(const BoardState &s, const std::string &tag)
{
    const std::string caption = "$" + tag;
    for (const auto &value : s.lblValues) {
        if (value.Caption == caption)
            return value.ForeColor == White;
    }
    return false;
}

} // namespace

std::string caseDescription(const BoardState &s, int index)
{
    if (index < 0 || index >= CaseCount)
        return {};
    const std::string lead = "Case " + std::to_string(index + 1);
    if (s.stage != 0 && index == s.chosenCase) {
        // Revealed by the ending, which switches the slide's timer off first.
        const bool revealed = s.stage >= StageAllRefused && !s.tmrMoveCase.Enabled
            && s.lblCase[index].Caption == s.lblCase[index].Tag;
        return lead + (revealed ? ", your case, opened" : ", your case, closed");
    }
    return lead + (amountWhitened(s, s.lblCase[index].Tag) ? ", opened" : ", closed");
}

std::string valueDescription(const BoardState &s, int index)
{
    if (index < 0 || index >= CaseCount)
        return {};
    return s.lblValues[index].ForeColor == White ? "Opened" : "Still in play";
}

} // namespace zumo
