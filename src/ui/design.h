// Both windows' designs as data: client areas, every fixed label, the case and value label templates.
#pragma once

#include "board/slots.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <string_view>

namespace zumo {

// The design's texts are UTF-8.
inline QString toQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace zumo

namespace zumo::design {

// 15 twips are one device-independent pixel; every fixed value of the design is a whole pixel.
constexpr int pixels(float twips)
{
    return qRound(static_cast<double>(twips) / 15.0);
}

// Design points drawn at 96 DPI as a pixel size, so a caption fits its fixed box on any screen.
constexpr int pixelSize(double points)
{
    return qRound(points * 96.0 / 72.0);
}

struct FontDesign
{
    std::string_view name; // the design's family; label.cpp adds the fallbacks installed here
    double points;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

struct LabelDesign
{
    std::string_view control; // the design's name, also the QLabel's objectName
    std::string_view Caption;
    float Left, Top, Width, Height; // twips, in the client area below the menu bar
    FontDesign Font;
    Colour ForeColor;
    Colour BackColor;
    bool opaque; // false: the window shows through
};

struct ClientArea
{
    float Width, Height; // twips
};

constexpr FontDesign TitleFont { "Comic Sans MS", 26.25, true, false, true };
constexpr FontDesign CommandFont { "Arial", 18, true };
constexpr FontDesign BoardTitleFont { "Comic Sans MS", 27.75, true };
constexpr FontDesign HeadingFont { "Comic Sans MS", 18, true };

// frmMenu
constexpr ClientArea LobbyClient { 4320, 6030 };
constexpr std::array<LabelDesign, 5> LobbyLabels { {
    // The title is 15 twips wider than the client area, as designed.
    { "lblTitle", "Zumo or No Zumo", 0, 240, 4335, 765, TitleFont, Black, ButtonFace, true },
    { "lblNew", "New Game", 240, 1560, 3735, 615, CommandFont, Black, ButtonFace, true },
    { "lblHelp", "How to Play", 240, 2760, 3855, 615, CommandFont, Black, ButtonFace, true },
    { "lblAbout", "About the Game", 240, 3960, 3855, 615, CommandFont, Black, ButtonFace, true },
    { "lblExit", "Exit the Game", 240, 5160, 3855, 615, CommandFont, Black, ButtonFace, true },
} };
// Indexed by LobbyCommand: the labels whose MouseMove and Click the lobby handles.
constexpr std::array<std::string_view, 4> LobbyCommandLabels { "lblNew", "lblHelp", "lblAbout",
    "lblExit" };

// frmViewer. lblValues, lblYours and lblTask let the window show through: the design leaves it
// open, and a transparent lblTask keeps the sliding case clean where it crosses the label.
constexpr ClientArea BoardClient { 12975, 8715 };
constexpr std::array<LabelDesign, 5> BoardLabels { {
    { "lblTitle", "Zumo or No Zumo", 4140, 240, 4680, 645, BoardTitleFont, Black, ButtonFace,
        true },
    { "lblRemaining(0)", "Remaining Values:", 240, 1320, 3495, 525, HeadingFont, Black, ButtonFace,
        true },
    { "lblRemaining(1)", "Remaining Values:", 9240, 1320, 3495, 525, HeadingFont, Black, ButtonFace,
        true },
    { "lblYours", "Your Case:", 10440, 6420, 2175, 525, HeadingFont, Black, ButtonFace, false },
    { "lblTask", "", 2760, 6840, 7440, 1815, { "Arial", 18, false, true }, ButtonText, ButtonFace,
        false },
} };
constexpr std::string_view TaskLabel = "lblTask";

// The two control arrays: their boxes and captions come from the board's slots at run time.
constexpr LabelDesign CaseLabel { "lblCase", "", 0, 0, 975, 615, { "MS Sans Serif", 8.25 }, White,
    DarkGrey, true };
constexpr LabelDesign ValueLabel { "lblValues", "", 0, 0, 2655, 375, { "Arial", 14.25 }, ButtonText,
    ButtonFace, false };

} // namespace zumo::design
