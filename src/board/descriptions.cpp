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

std::string caseName(int index)
{
    return "Case " + std::to_string(index + 1);
}

bool ownCaseChosen(const BoardState &s)
{
    return s.stage != 0;
}

} // namespace

std::string caseDescription(const BoardState &s, int index)
{
    if (index < 0 || index >= CaseCount)
        return {};
    const std::string lead = caseName(index);
    if (ownCaseChosen(s) && index == s.chosenCase) {
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

std::vector<std::string> announcements(const BoardState &before, const BoardState &after)
{
    std::vector<std::string> heard;
    for (int i = 0; i < CaseCount; ++i) {
        const std::string &tag = after.lblCase[i].Tag;
        if (!after.lblCase[i].Visible && amountWhitened(after, tag) && !amountWhitened(before, tag))
            heard.push_back(caseName(i) + " held $" + tag + ".");
    }
    if (!ownCaseChosen(before) && ownCaseChosen(after))
        heard.push_back(caseName(after.chosenCase) + " is now your case.");
    if (!after.lblTask.Caption.empty() && after.lblTask.Caption != before.lblTask.Caption)
        heard.push_back(after.lblTask.Caption);
    if (!before.tmrMoveCase.Enabled && after.tmrMoveCase.Enabled)
        heard.push_back(caseName(after.chosenCase) + ", your case, is being opened.");
    return heard;
}

std::string amountsInPlay(const BoardState &s)
{
    std::vector<const std::string *> amounts;
    for (const auto &value : s.lblValues) {
        if (value.ForeColor != White)
            amounts.push_back(&value.Caption);
    }
    const std::size_t n = amounts.size();
    std::string out
        = std::to_string(n) + (n == 1 ? " case remains, holding " : " cases remain, holding ");
    for (std::size_t i = 0; i < n; ++i) {
        if (i > 0)
            out += i + 1 == n ? " and " : ", ";
        out += *amounts[i];
    }
    return out + ".";
}

} // namespace zumo
