// The frame both windows share: a fixed client area, the game title, labels from design tables.
#include "window_frame.h"

#include "label.h"
#include "shell/messages.h"

#include <QKeyEvent>
#include <QLayout>

namespace zumo {

void buildFrame(QMainWindow &window, design::ClientArea area)
{
    window.setWindowTitle(toQString(GameTitle));
    auto *client = new QWidget(&window);
    client->setFixedSize(design::pixels(area.Width), design::pixels(area.Height));
    window.setCentralWidget(client);
    // The menu bar's height depends on style and font: let the layout add it to the client area
    // rather than hard-coding it, and fix the window at that size.
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void createLabels(QWidget *client, std::span<const design::LabelDesign> designs)
{
    for (const auto &d : designs)
        new Label(d, client); // owned by client
}

PlayKey playKey(const QKeyEvent &event)
{
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return PlayKey::None;
    switch (event.key()) {
    case Qt::Key_Right:
        return PlayKey::Right;
    case Qt::Key_Left:
        return PlayKey::Left;
    case Qt::Key_Down:
        return PlayKey::Down;
    case Qt::Key_Up:
        return PlayKey::Up;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return event.isAutoRepeat() ? PlayKey::None : PlayKey::Activate;
    default:
        return PlayKey::None;
    }
}

} // namespace zumo
