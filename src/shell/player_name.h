// The player's name, read from the environment each time the lobby loads.
#pragma once

#include <optional>
#include <string>

namespace zumo {

class Environment
{
public:
    virtual ~Environment() = default;
    // The variable's value as UTF-8 (GetUsername replaces what is not), nullopt when it is not set.
    virtual std::optional<std::string> value(const char *name) const = 0;
};

class ProcessEnvironment final : public Environment
{
public:
    std::optional<std::string> value(const char *name) const override;
};

// The name for PlayerName: the first of NWUSERNAME, LOGIN, USERNAME that is not empty once
// upper-cased and trimmed of spaces, or "". Always valid UTF-8; otherwise exactly as the player set
// it, tabs and newlines included, so whoever shows it must show it as plain text.
std::string GetUsername(const Environment &env);

} // namespace zumo
