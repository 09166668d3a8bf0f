// Placing and activating windows: done by the program on Windows and X11, left alone on Wayland.
#include "desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

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
    // The whole window is centred, frame and all, where the frame is known before the first show:
    // on Windows, once the native window exists. On X11 the window manager adds the frame only
    // later, asynchronously, and until then its margins are nought: the client rect is centred.
    window.winId();
    const QMargins frame = window.windowHandle()->frameMargins();
    QRect placed(QPoint(), window.size().grownBy(frame));
    placed.moveCenter(window.screen()->availableGeometry().center());
    window.move(placed.topLeft()); // a top-level window's position is its frame's
}

void activate(QWidget &window)
{
    // Wayland leaves activation to the compositor; asking anyway is ignored or, where the shell
    // refuses it, warned about ("Wayland does not support QWindow::requestActivate()").
    if (programPlacesWindows())
        window.activateWindow();
}

} // namespace zumo::desktop
