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

// Invalid UTF-8 becomes U+FFFD; control characters become blanks, so a newline or a tab can
// neither break the box's layout nor hide from the trim.
QString readableName(const std::string &raw)
{
    QString name = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
    for (QChar &c : name) {
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char(' ');
    }
    return name;
}

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

QString shortened(const QString &name)
{
    if (name.size() <= MaxNameLength)
        return name;
    qsizetype cut = MaxNameLength - 1;
    if (name[cut - 1].isHighSurrogate())
        --cut; // never split a character outside the basic plane
    return name.left(cut) + QChar(0x2026);
}

} // namespace

std::string GetUsername(const Environment &env)
{
    for (const char *variable : { "NWUSERNAME", "LOGIN", "USERNAME" }) {
        const QString name
            = trimmedOfSpaces(readableName(env.value(variable).value_or("")).toUpper());
        if (!name.isEmpty())
            return shortened(name).toStdString();
    }
    return {};
}

} // namespace zumo
