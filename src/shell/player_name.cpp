#include "player_name.h"

#include <QString>
#include <QtGlobal>

namespace zumo {

std::optional<std::string> ProcessEnvironment::value(const char *name) const
{
    // Not std::getenv: Windows keeps the environment in UTF-16, and its C library hands out the
    // ANSI code page's rendering of it, with a '?' for every letter the page lacks. Qt reads the
    // UTF-16 there, and on Linux decodes the bytes as UTF-8, invalid ones as U+FFFD.
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qEnvironmentVariable(name).toStdString();
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
