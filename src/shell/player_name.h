// The player's name, read from the environment each time the lobby loads.
#pragma once

#include <optional>
#include <string>

namespace zumo {

class Environment
{
public:
    virtual ~Environment() = default;
    // Raw bytes of the variable, nullopt when it is not set.
    virtual std::optional<std::string> value(const char *name) const = 0;
};

class ProcessEnvironment final : public Environment
{
public:
    std::optional<std::string> value(const char *name) const override;
};

// Longest name kept whole, in characters; a longer one is cut and ends in "…" so that the offer
// box it is greeted in still fits on the screen. A name without a break in it cannot wrap: 48 "W"
// make the box 628 px wide in the default 9 pt font, 774 px in 11 pt, so it fits an 800 px
// screen; 64 reach the widest Qt gives a message box on a screen up to 1024 px, 4 px over it.
constexpr int MaxNameLength = 48;

// The name for PlayerName: the first of NWUSERNAME, LOGIN, USERNAME that is not empty once
// upper-cased and trimmed of spaces, or "". Always valid UTF-8 without control characters, line
// breaks or bidirectional controls, so it can be shown as plain text anywhere.
std::string GetUsername(const Environment &env);

} // namespace zumo
