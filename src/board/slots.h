// The label records the game keeps its state in: one per case label, one per value label.
#pragma once

#include <cstdint>
#include <string>

namespace zumo {

// A colour as the design writes it, &HBBGGRR; with the high bit set it names a system colour.
using Colour = std::uint32_t;
constexpr Colour ButtonFace = 0x8000000F;
constexpr Colour ButtonText = 0x80000012;
constexpr Colour White = 0x00FFFFFF;
constexpr Colour Black = 0x00000000;
constexpr Colour DarkGrey = 0x00404040;

constexpr bool isSystemColour(Colour c)
{
    return (c & 0x80000000u) != 0;
}

// One case label. Positions and sizes are twips, single precision, like the labels they stand for.
struct CaseSlot
{
    std::string Caption;
    std::string Tag; // "" → value index → amount text during set-up; the amount text after it
    bool Visible = true;
    bool Enabled = true;
    float Left = 0;
    float Top = 0;
    float Width = 975;
    float Height = 615;
};

// One value label of the board's two columns of amounts.
struct ValueSlot
{
    std::string Caption;
    Colour ForeColor = ButtonText;
    float Left = 0;
    float Top = 0;
    float Width = 2655;
    float Height = 375;
};

} // namespace zumo
