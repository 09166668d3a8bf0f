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
// box it is greeted in still fits on the screen.
constexpr int MaxNameLength = 64;

// The name for PlayerName: the first of NWUSERNAME, LOGIN, USERNAME that is not empty once
// upper-cased and trimmed of spaces, or "". Always valid UTF-8 without control characters, so it
// can be shown as plain text anywhere.
std::string GetUsername(const Environment &env);

} // namespace zumo
