#include "player_name.h"

#include <QString>
#include <cstdlib>

namespace zumo {

std::optional<std::string> ProcessEnvironment::value(const char *name) const
{
    const char *v = std::getenv(name);
    if (!v)
        return std::nullopt;
    return std::string(v);
}

namespace {

// Only the blank is trimmed: a tab or a newline belongs to the name as the player set it.
QString trimmedOfSpaces(const QString &s)
{
    qsizetype first = 0;
    qsizetype last = s.size();
    while (first < last && s[first] == QLatin1Char(' '))
        ++first;
    while (last > first && s[last - 1] == QLatin1Char(' '))
        --last;
    return s.mid(first, last - first);
}

} // namespace

std::string GetUsername(const Environment &env)
{
    for (const char *variable : { "NWUSERNAME", "LOGIN", "USERNAME" }) {
        const std::string raw = env.value(variable).value_or("");
        // Bytes that are not UTF-8 cannot be shown as they are; they become U+FFFD.
        const QString name = trimmedOfSpaces(
            QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size())).toUpper());
        if (!name.isEmpty())
            return name.toStdString();
    }
    return {};
}

} // namespace zumo
