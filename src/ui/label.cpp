// Turning a label design into a QLabel: fonts with fallbacks, system and fixed colours, twips.
#include "label.h"

#include "classic_colours.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <string_view>

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

// Keyboard focus shows as a frame this wide inside the box, in the palette's highlight colour: on
// the dark grey case blocks nothing else would show it. Logical pixels, so it scales with the window.
constexpr int FocusMarkWidth = 2;

// What assistive technology sees of a label: named by its caption, and for the labels the game
// acts on, a press action that clicks it.
class AccessibleLabel final : public QAccessibleWidget
{
public:
    explicit AccessibleLabel(Label *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    { }

    // Orca 43 never speaks a label's description, not even on focus, but does speak a button's:
    // a label the player presses is a button to assistive technology, named by its caption still.
    QAccessible::Role role() const override
    {
        return label()->pressable() ? QAccessible::Button : QAccessible::StaticText;
    }
    // Focusable, though it has no focus policy: the window puts the focus there (see Label).
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = label()->pressable();
        return s;
    }
    QString text(QAccessible::Text t) const override
    {
        // Players and tools find the cases by their numbers.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return label()->text();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (label()->pressable())
            names.prepend(pressAction()); // clients take the first action as the default one
        return names;
    }
    void doAction(const QString &name) override
    {
        if (name == pressAction() && label()->pressable())
            label()->press();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    Label *label() const { return static_cast<Label *>(widget()); }
};

QAccessibleInterface *accessibleLabel(const QString &className, QObject *object)
{
    if (className == QLatin1String(Label::staticMetaObject.className()) && object->isWidgetType())
        return new AccessibleLabel(static_cast<Label *>(object));
    return nullptr;
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
    // Interfaces are cached per object, so the factory must be in place before any label is asked.
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleLabel);
        return true;
    }();
    Q_UNUSED(accessible);

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

void Label::press()
{
    // An assistive client waits for the action's reply, and a click may open a modal box that
    // waits for the player: reply first, click from the event loop. By then a box may block the
    // window, or the label may be gone from play, as a mouse would find it.
    QTimer::singleShot(0, this, [this] {
        if (isVisible() && isEnabled() && !QApplication::activeModalWidget())
            Q_EMIT clicked(); // last: the receiver may unload the window this label is on
    });
}

void Label::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event); // not QLabel's, which makes a text control (see Label)
    Q_EMIT focusReceived();
}

void Label::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!m_focusMark || !hasFocus())
        return;
    // A focus mark needs 3 : 1 against what it is drawn on; Qt's own light highlight falls just
    // short of that on the dark grey case blocks, so it is lightened until it does not.
    QColor mark = palette().color(QPalette::Highlight);
    const QColor block = palette().color(backgroundRole());
    for (int step = 0; step < 8 && contrastRatio(mark, block) < 3.0; ++step)
        mark = mark.lighter(115);
    const int w = FocusMarkWidth;
    QPainter painter(this);
    painter.setClipRegion(QRegion(rect()) - QRegion(rect().adjusted(w, w, -w, -w)));
    painter.fillRect(rect(), mark);
}

} // namespace zumo
