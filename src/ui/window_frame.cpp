// The frame both windows share: a fixed client area, the game title, labels from design tables.
#include "window_frame.h"

#include "label.h"
#include "shell/messages.h"

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

} // namespace zumo
