// The three fixed tables of a game: the amounts, the pick schedule and the banker's factors.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zumo {

constexpr int CaseCount = 25;
constexpr int StageCount = 10; // entries of picksPerStage, indexed by stage 0..9

// Row = value index: 0 is the largest amount. The text is what a case's Tag holds and what an
// opened case shows; the value board shows it after a "$".
constexpr std::array<std::string_view, CaseCount> AmountTexts = {
    "1,000,000",
    "750,000",
    "500,000",
    "400,000",
    "300,000",
    "200,000",
    "100,000",
    "75,000",
    "50,000",
    "25,000",
    "10,000",
    "5,000",
    "1,000",
    "750",
    "500",
    "400",
    "300",
    "200",
    "100",
    "75",
    "50",
    "25",
    "10",
    "5",
    "1",
};

constexpr std::array<std::int16_t, StageCount> PickSchedule = { 1, 6, 5, 4, 3, 2, 1, 1, 1, 1 };

// Indexed by the stage whose end the offer marks; entry 0 is never used.
constexpr std::array<double, 9> OfferFactors
    = { 0.0, 0.22, 0.27, 0.30, 0.32, 0.34, 0.48, 0.50, 0.725 };

constexpr int FirstOfferStage = 1;
constexpr int LastOfferStage = 8;
constexpr int StageAllRefused = 9;
constexpr int StageAccepted = 10;

} // namespace zumo
