# Cross-compiling for 64-bit Windows with Debian's MinGW-w64: for Qt's own build and for the game's.
#
# The posix flavour of the compiler, not the win32 one: Qt and the game use std::thread and
# std::mutex, which the win32 flavour's libstdc++ lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triple x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)

# Where scripts/build-windows-qt installs Qt. A fixed path: QtCore records its prefix, so the
# game's bytes depend on it, and every machine must use the same one for builds to agree.
set(ZUMO_WINDOWS_QT /var/cache/zumo-or-no-zumo/windows-qt/prefix)

# Qt's host tools (moc, rcc, uic) are the build machine's own, of the same Qt version: for Qt's own
# build and for the game's.
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# Libraries, headers and CMake packages come only from the Windows side; programs (moc, rcc and
# the rest of Qt's host tools, which QT_HOST_PATH names) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${triple} ${ZUMO_WINDOWS_QT})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
