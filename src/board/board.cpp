#include "board.h"

#include "numbers.h"

#include <cmath>
#include <string_view>

namespace zumo {

namespace {

constexpr float OpenedCaseLeft = 11040;
constexpr float OpenedCaseTop = 2760;
constexpr float SlideStepLeft = 15;
constexpr float SlideStepTop = 10;

constexpr std::string_view ChooseText
    = "Choose your case (by clicking on the case). This case will stay with you throughout the "
      "entire game.  The banker will bid on the case, and you will get to accept or reject each "
      "bid.";
constexpr std::string_view LeadIn = "Now you have to pick ";
constexpr std::string_view MiddlePlural = " cases (by clicking on them) to open. These cases ";
constexpr std::string_view MiddleSingular = " case (by clicking on it) to open. This case ";
constexpr std::string_view Tail = "will affect how much the banker will bid on your case and your "
                                  "chances of getting the $1,000,000 case.";

// The value indexes as set-up writes them into a Tag, "0" to "24".
constexpr std::array<std::string_view, CaseCount> IndexTexts
    = { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16",
          "17", "18", "19", "20", "21", "22", "23", "24" };

std::string concat(std::initializer_list<std::string_view> pieces)
{
    std::string out;
    for (const auto piece : pieces)
        out += piece;
    return out;
}

} // namespace

Board::Board(BoardHost &host, RandomSource &random, const std::string &playerName)
    : m_host(host)
    , m_random(random)
    , m_playerName(playerName)
{ }

void Board::Form_Load()
{
    for (int i = 0; i < CaseCount; ++i) {
        lblCase[i].Visible = true;
        lblCase[i].Tag.clear();
        lblCase[i].Enabled = true;
        lblValues[i].ForeColor = ButtonText;
        valueTaken[i] = 0;
    }
    stage = 0;
    chosenCase = 0;
    m_random.reseed();

    // Amounts are drawn case by case in index order, interleaved with the layout, so that a given
    // sequence of draws always gives the same board.
    for (std::int16_t row = 0; row < 5; ++row) {
        for (std::int16_t col = 0; col < 5; ++col) {
            const std::int16_t i = static_cast<std::int16_t>(row * 5 + col);
            const float w = lblCase[i].Width;
            lblCase[i].Left = (w + 210) * col + 3630;
            // The row pitch is the width, not the height: the grid is laid out on a square pitch.
            lblCase[i].Top = row * w + 90 + 1830;
            lblCase[i].Caption = std::to_string(i + 1);
            GetValues(i);
            SwitchValues(i);
        }
    }

    picksPerStage = PickSchedule;

    for (int i = 0; i < CaseCount; ++i) {
        if (i == 0) {
            lblValues[i].Left = 600;
            lblValues[i].Top = 1920;
        } else if (i <= 13) {
            lblValues[i].Left = lblValues[0].Left;
            lblValues[i].Top = static_cast<float>(i) * lblValues[0].Height + lblValues[0].Top;
        } else if (i == 14) {
            lblValues[i].Left = 9720;
            lblValues[i].Top = 1920;
        } else {
            lblValues[i].Left = lblValues[14].Left;
            lblValues[i].Top
                = static_cast<float>(i - 14) * lblValues[14].Height + lblValues[14].Top;
        }
        lblValues[i].Caption = concat({ "$", AmountTexts[i] });
    }

    ShowTask();
}

// A draw that lands on a taken index is thrown away, not moved to a free neighbour, so every case
// gets an index uniform among those still free.
void Board::GetValues(const std::int16_t &caseIndex)
{
    CaseSlot &slot = lblCase[caseIndex];
    do {
        const float r = m_random.draw();
        if (!(r >= 0.0f && r < 1.0f))
            continue; // outside the source's contract: a wrong draw must not index past the table
        const auto k = static_cast<std::int16_t>(std::floor(static_cast<double>(r) * CaseCount));
        if (valueTaken[k] == 0) {
            valueTaken[k] = 1;
            slot.Tag = IndexTexts[k];
        }
    } while (slot.Tag.empty());
}

// Stops at the first match: several amount texts ("1", "5", "10" ...) read like value indexes and
// must not be turned a second time.
void Board::SwitchValues(const std::int16_t &caseIndex)
{
    std::string &tag = lblCase[caseIndex].Tag;
    for (int k = 0; k < CaseCount; ++k) {
        if (tag == IndexTexts[k]) {
            tag = AmountTexts[k];
            return;
        }
    }
}

void Board::lblCase_Click(int index)
{
    if (index < 0 || index >= CaseCount || !lblCase[index].Visible || !lblCase[index].Enabled)
        return;

    if (stage == 0) {
        chooseOwnCase(index);
    } else if (stage >= FirstOfferStage && stage <= LastOfferStage) {
        openCase(index);
        if (openedThisStage == picksPerStage[stage])
            bankerCalls(); // waits inside the host's modal boxes until the player answers
    }
    ShowTask(); // every click ends here, whatever the stage
}

void Board::chooseOwnCase(int index)
{
    lblCase[index].Top = OwnCaseTop;
    lblCase[index].Left = OwnCaseLeft;
    chosenCase = static_cast<std::int16_t>(index);
    stage = 1;
    openedThisStage = 0;
    openedTotal = 0;
    lblCase[index].Enabled = false;
}

void Board::openCase(int index)
{
    ++openedTotal;
    ++openedThisStage;
    CaseSlot &opened = lblCase[index];
    const std::string caption = concat({ "$", opened.Tag });
    for (auto &value : lblValues) {
        if (value.Caption == caption)
            value.ForeColor = White;
    }
    opened.Caption = opened.Tag;
    opened.Top = OpenedCaseTop;
    opened.Left = OpenedCaseLeft;
    opened.Enabled = false;
    opened.Visible = false; // out of play: CalculateOffer counts visible cases only
}

void Board::bankerCalls()
{
    CalculateOffer(); // with the stage just completed, so its factor is used
    ++stage;
    lblTask.Caption.clear();
    const std::string offer = concat({ "Ring... Ring... Ring... Hello? Yes, hmmm... ", m_playerName,
        "... the banker is offering you $", plainDigits(currentOffer), ". Do you accept?" });
    if (m_host.askYesNo(offer)) {
        m_host.tell("SOLD!");
        stage = StageAccepted;
    } else {
        openedThisStage = 0;
    }
    ShowTask();
}

void Board::CalculateOffer()
{
    std::int32_t total = 0;
    for (const auto &slot : lblCase) {
        if (slot.Visible) {
            const double sum = std::floor(amountValue(slot.Tag)) + static_cast<double>(total);
            total = static_cast<std::int32_t>(roundHalfEven(sum));
        }
    }
    if (stage < FirstOfferStage || stage > LastOfferStage)
        return;
    const auto count = static_cast<std::int16_t>(CaseCount - openedTotal);
    if (count <= 0)
        return; // no case left to average over; play never gets here
    const double quotient = static_cast<double>(total) / static_cast<double>(count);
    const double product = quotient * OfferFactors[stage];
    currentOffer = static_cast<std::int32_t>(roundHalfEven(product));
}

void Board::ShowTask()
{
    if (stage == 0) {
        lblTask.Caption = ChooseText;
    } else if (stage >= FirstOfferStage && stage <= LastOfferStage) {
        const std::int16_t n = picksPerStage[stage];
        lblTask.Caption
            = concat({ LeadIn, std::to_string(n), n == 1 ? MiddleSingular : MiddlePlural, Tail });
    } else if (stage == StageAllRefused || stage == StageAccepted) {
        for (int i = 0; i < CaseCount; ++i) {
            if (i != chosenCase)
                lblCase[i].Visible = false;
        }
        tmrMoveCase.Enabled = true;
    }
}

void Board::tmrMoveCase_Timer()
{
    if (!tmrMoveCase.Enabled)
        return;
    CaseSlot &own = lblCase[chosenCase];
    // Fixed steps, never clamped: a start off the step grid overshoots the final place.
    if (own.Left > SlideEndLeft)
        own.Left = own.Left - SlideStepLeft;
    if (own.Top > SlideEndTop)
        own.Top = own.Top - SlideStepTop;
    if (own.Left <= SlideEndLeft && own.Top <= SlideEndTop) {
        tmrMoveCase.Enabled = false; // before EndGame, so no tick can start the ending twice
        EndGame(); // may unload the board: nothing may follow it here
    }
}

void Board::EndGame()
{
    if (stage != StageAllRefused && stage != StageAccepted)
        return;
    CaseSlot &own = lblCase[chosenCase];
    own.Caption = own.Tag;
    const std::string amountText = own.Caption;
    const double amount = amountValue(amountText);
    const double offer = currentOffer;
    const auto digits = [](double difference) {
        return plainDigits(static_cast<std::int64_t>(roundHalfEven(difference)));
    };

    std::string message;
    if (stage == StageAllRefused) {
        const std::string_view lead
            = "You rejected the banker's offer and kept your case. Your case contained $";
        if (amount > offer) {
            message = concat({ lead, amountText,
                ". Looks like you made the right choice, considering that your case contained $",
                digits(amount - offer),
                " more than what the banker was offering you. Congrats! Thank you for playing Zumo "
                "or No Zumo." });
        } else {
            message = concat({ lead, amountText,
                ". Looks like you made the wrong choice, considering that your case contained $",
                digits(offer - amount),
                " less than what the banker was offering you. At least you left with $", amountText,
                ". Better luck next time, and thank you for playing Zumo or No Zumo." });
        }
    } else {
        const std::string_view lead = "You accepted the banker's offer. Your case contained $";
        if (amount < offer) {
            message = concat({ lead, amountText,
                ". Looks like you made the right choice, considering that the banker was offering "
                "you $",
                digits(offer - amount),
                " more than what your case contained. Congrats! Thank you for playing Zumo or No "
                "Zumo." });
        } else {
            message = concat({ lead, amountText,
                ". Looks like you made the wrong choice, considering that the banker was offering "
                "you $",
                digits(amount - offer),
                " less than what your case contained. At least you left with $",
                plainDigits(currentOffer),
                ". Better luck next time, and thank you for playing Zumo or No Zumo." });
        }
    }
    m_host.tell(message);
    m_host.returnToLobby(); // the board may be gone after this: touch nothing
}

} // namespace zumo
