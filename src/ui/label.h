// A label drawn from its design record, reporting Click and MouseMove as the design's labels do.
#pragma once

#include "design.h"

#include <QLabel>

namespace zumo {

class Label final : public QLabel
{
    Q_OBJECT

public:
    // Box, font, colours and caption from design; always plain text, centred, top-aligned, wrapped.
    Label(const design::LabelDesign &design, QWidget *parent);

    // The design's point size drawn as its 96-DPI pixel size; nothing else of the font changes.
    void setFontSize(double points);
    void setForeColor(Colour colour);
    // twips; rounded to whole pixels
    void setBox(float left, float top, float width, float height);

Q_SIGNALS:
    // A left press and release on the label. Hidden and disabled labels raise none, as on the
    // platform the design was made for. The receiver may unload the window.
    void clicked();
    // Every pointer move over the label; needs mouse tracking when no button is held.
    void mouseMoved();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QFont m_designFont;
    bool m_pressed = false;
};

// The design's family first, then what Debian installs for it (fonts-comic-neue, fonts-liberation2).
QFont designFont(const design::FontDesign &font, double points);

} // namespace zumo
