// What Windows and X11 let a program do with its own windows and Wayland leaves to the compositor.
#pragma once

class QWidget;

namespace zumo::desktop {

// Whether the program places and activates its own top-level windows. Windows, X11 and the
// offscreen platform let it; on Wayland the compositor does both and ignores or refuses the
// program.
bool programPlacesWindows();

// Centres window on its screen before the first show, where the program places windows.
void centre(QWidget &window);

// Makes window the active one, where the program may. Without a window manager nothing else
// would, and menu shortcuts only work in the active window.
void activate(QWidget &window);

} // namespace zumo::desktop
