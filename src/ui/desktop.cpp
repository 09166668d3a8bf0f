// Placing and activating windows: done by the program on X11, left alone on Wayland.
#include "desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace zumo::desktop {

bool programPlacesWindows()
{
    // "wayland", "wayland-egl", ...: Qt's native Wayland platforms. Under XWayland the program
    // runs on xcb and places its windows as on any X server.
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void centre(QWidget &window)
{
    if (!programPlacesWindows())
        return; // move() would be ignored
    // Before the first show: on X11 the frame only exists once the window manager has decorated
    // the window, asynchronously, so it is the client rect that is centred.
    QRect placed(QPoint(), window.size());
    placed.moveCenter(window.screen()->availableGeometry().center());
    window.move(placed.topLeft());
}

void activate(QWidget &window)
{
    // Wayland leaves activation to the compositor; asking anyway is ignored or, where the shell
    // refuses it, warned about ("Wayland does not support QWindow::requestActivate()").
    if (programPlacesWindows())
        window.activateWindow();
}

} // namespace zumo::desktop
