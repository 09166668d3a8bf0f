// The light colours the design was drawn on, and whether a desktop's own colours will do instead.
#pragma once

#include <QColor>
#include <QPalette>

namespace zumo {

// The WCAG 2 contrast ratio of two opaque colours: 1 (the same colour) to 21 (black on white).
double contrastRatio(const QColor &a, const QColor &b);

// Whether the design's mix of fixed and system colours reads on palette's button face: the black
// captions and the button text at least 4.5 : 1, the opened amounts' white fading below 2 : 1.
bool designReadsOn(const QPalette &palette);

// Only the roles the client area draws with, as Qt's own light palette has them.
QPalette classicColours();

} // namespace zumo
