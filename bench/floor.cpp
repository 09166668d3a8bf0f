// The start-up floor: an empty QApplication and one QWidget, shown as the game shows its lobby.
// With --text the widget is a QLabel showing one word: the floor of a program that draws text.
#include "ui/design.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <cstring>
#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const bool text = argc > 1 && std::strcmp(argv[1], "--text") == 0;
    const std::unique_ptr<QWidget> window
        = text ? std::make_unique<QLabel>(QStringLiteral("Game")) : std::make_unique<QWidget>();
    // The lobby's client area, centred as Navigator::show() centres it: the same pixels to fill
    // and flush, so the difference to the game is what the game does besides.
    using zumo::design::LobbyClient, zumo::design::pixels;
    window->resize(pixels(LobbyClient.Width), pixels(LobbyClient.Height));
    QRect frame(QPoint(), window->size());
    frame.moveCenter(window->screen()->availableGeometry().center());
    window->move(frame.topLeft());
    window->show();
    window->activateWindow();
    return QApplication::exec();
}
