// A label drawn from its design record, reporting Click and MouseMove as the design's labels do.
#pragma once

#include "design.h"

#include <QLabel>

namespace zumo {

// A caption is never selected or edited, so a label never gets the text control QLabel keeps for
// that: the control reports each new caption to assistive technology as an edit of a text the
// label does not offer, which Qt 6.8's bridge rejects with a warning. QLabel makes one on focus,
// and, in Qt 6.8, whenever the label has a focus policy: a window moves the focus onto its labels
// itself, so they have none.
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

    // Offers assistive technology a press action that clicks the label, and says that it takes
    // the focus.
    void setPressable(bool pressable) { m_pressable = pressable; }
    bool pressable() const { return m_pressable; }
    // The click a mouse would make, for assistive technology: run from the event loop, and only if
    // the label can still be clicked then.
    void press();
    // Draws a frame inside the box while the label has keyboard focus.
    void setFocusMark(bool mark) { m_focusMark = mark; }

Q_SIGNALS:
    // A left press and release on the label. Hidden and disabled labels raise none, as on the
    // platform the design was made for. The receiver may unload the window.
    void clicked();
    // Every pointer move over the label; needs mouse tracking when no button is held.
    void mouseMoved();
    // Keyboard focus arrived, by a key, assistive technology or the window's activation.
    void focusReceived();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QFont m_designFont;
    bool m_pressed = false;
    bool m_pressable = false;
    bool m_focusMark = false;
};

// The design's family first, then what Debian installs for it (fonts-comic-neue, fonts-liberation2).
QFont designFont(const design::FontDesign &font, double points);

} // namespace zumo
