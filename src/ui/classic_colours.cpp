// The classic face: WCAG contrast, the readability rule, the palette the windows fall back to.
#include "classic_colours.h"

#include <algorithm>
#include <cmath>

namespace zumo {

namespace {

double relativeLuminance(const QColor &colour)
{
    const auto linear
        = [](double c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF())
        + 0.0722 * linear(rgb.blueF());
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = relativeLuminance(a);
    const double lb = relativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool designReadsOn(const QPalette &palette)
{
    // Inactive too: that is what the window shows while one of the game's boxes is open.
    for (const auto group : { QPalette::Active, QPalette::Inactive }) {
        const QColor face = palette.color(group, QPalette::Window);
        if (contrastRatio(Qt::black, face) < 4.5
            || contrastRatio(palette.color(group, QPalette::ButtonText), face) < 4.5
            || contrastRatio(Qt::white, face) >= 2.0)
            return false;
    }
    return true;
}

QPalette classicColours()
{
    // Qt's light palette, as the Fusion style gives it on a desktop without a scheme of its own:
    // the colours the README's screenshots show. The keyboard's focus mark lightens the highlight
    // where it would not stand out on a case block.
    QPalette p;
    p.setColor(QPalette::Window, QColor(0xef, 0xef, 0xef));
    p.setColor(QPalette::Button, QColor(0xef, 0xef, 0xef));
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::ButtonText, Qt::black);
    p.setColor(QPalette::Highlight, QColor(0x30, 0x8c, 0xc6));
    return p;
}

} // namespace zumo
