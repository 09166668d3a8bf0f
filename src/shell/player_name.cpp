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

// Characters that act on the text around them instead of showing: line breaks of any kind, and
// the bidirectional embeddings, overrides and isolates, whose effect runs on past the name when
// it leaves them open (an override would show the banker's offer back to front).
bool reshapesTheText(QChar c)
{
    switch (c.category()) {
    case QChar::Other_Control: // also \n, \r, \t and NEL
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        break;
    }
    const char16_t u = c.unicode();
    return (u >= 0x202A && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069);
}

// Invalid UTF-8 becomes U+FFFD; what reshapes the text becomes a blank, so a newline or a tab can
// neither break the box's layout nor hide from the trim.
QString readableName(const std::string &raw)
{
    QString name = QString::fromUtf8(raw.data(), static_cast<qsizetype>(raw.size()));
    for (QChar &c : name) {
        if (reshapesTheText(c))
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
