// Turning a label design into a QLabel: fonts with fallbacks, system and fixed colours, twips.
#include "label.h"

#include <QMouseEvent>

namespace zumo {

namespace {

QStringList familiesFor(std::string_view name)
{
    const QString family = toQString(name);
    if (name == "Comic Sans MS")
        return { family, QStringLiteral("Comic Neue") };
    if (name == "Arial")
        return { family, QStringLiteral("Liberation Sans") };
    // fontconfig has no alias for it and would fall back to DejaVu Sans, about 10% wider than the
    // Liberation Sans it stood next to, so case numbers ask for the narrower face first.
    if (name == "MS Sans Serif")
        return { family, QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans") };
    return { family };
}

QColor fixedColour(Colour colour) // &HBBGGRR
{
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
        static_cast<int>((colour >> 16) & 0xFF));
}

// System colours follow the palette through a role. Qt paints a window with QPalette::Window,
// and the design's windows are button face, so that is what button face means here.
QPalette::ColorRole systemRole(Colour colour)
{
    return colour == ButtonText ? QPalette::ButtonText : QPalette::Window;
}

} // namespace

QFont designFont(const design::FontDesign &font, double points)
{
    QFont f;
    f.setFamilies(familiesFor(font.name));
    f.setPixelSize(design::pixelSize(points));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

Label::Label(const design::LabelDesign &design, QWidget *parent)
    : QLabel(parent)
    , m_designFont(designFont(design.Font, design.Font.points))
{
    setObjectName(toQString(design.control));
    // Captions are data (amounts, the instruction); never let one be read as markup.
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setFont(m_designFont);
    setText(toQString(design.Caption));
    setBox(design.Left, design.Top, design.Width, design.Height);

    setAutoFillBackground(design.opaque);
    if (isSystemColour(design.BackColor)) {
        setBackgroundRole(systemRole(design.BackColor));
    } else {
        QPalette p = palette();
        p.setColor(QPalette::Window, fixedColour(design.BackColor));
        setPalette(p);
        setBackgroundRole(QPalette::Window);
    }
    setForeColor(design.ForeColor);
}

void Label::setFontSize(double points)
{
    QFont f = m_designFont;
    f.setPixelSize(design::pixelSize(points));
    setFont(f);
}

void Label::setForeColor(Colour colour)
{
    if (isSystemColour(colour)) {
        setForegroundRole(systemRole(colour));
        return;
    }
    const QColor wanted = fixedColour(colour);
    if (palette().color(QPalette::WindowText) != wanted) {
        QPalette p = palette();
        p.setColor(QPalette::WindowText, wanted);
        setPalette(p);
    }
    setForegroundRole(QPalette::WindowText);
}

void Label::setBox(float left, float top, float width, float height)
{
    setGeometry(
        design::pixels(left), design::pixels(top), design::pixels(width), design::pixels(height));
}

void Label::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void Label::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton
        && rect().contains(event->position().toPoint()) && isVisible() && isEnabled();
    m_pressed = false;
    if (!click) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    Q_EMIT clicked(); // last: the receiver may unload the window this label is on
}

void Label::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT mouseMoved();
}

} // namespace zumo
