// Hand-over between the two windows: show the new one first, then unload the old one.
#include "navigator.h"

#include "board_window.h"
#include "desktop.h"
#include "lobby_window.h"
#include "release.h"

#include <algorithm>
#include <utility>

namespace zumo {

Navigator::Navigator(const Environment &env, RandomSource &random, std::function<void()> endProgram)
    : m_env(env)
    , m_random(random)
    , m_endProgram(std::move(endProgram))
{
    hearEachFocusOnce();
}

Navigator::~Navigator()
{
    // Not from inside any window's handler: deleting at once is safe and leaves nothing for an
    // event loop that may never run again.
    for (const auto &window : m_unloading)
        delete window.data();
    delete m_current.data();
}

void Navigator::start()
{
    show(new frmMenu(*this, m_env, m_playerName));
}

void Navigator::startGame()
{
    QMainWindow *lobby = m_current;
    show(new frmViewer(*this, m_random, m_playerName)); // its constructor runs Form_Load
    unload(lobby);
}

void Navigator::returnToLobby()
{
    QMainWindow *board = m_current;
    auto *lobby
        = new frmMenu(*this, m_env, m_playerName); // reads the name again, commands at 18 pt
    if (const auto *viewer = qobject_cast<const frmViewer *>(board);
        viewer && viewer->playedByKeys())
        lobby->playByKeys();
    show(lobby);
    unload(board);
}

void Navigator::endProgram()
{
    unload(m_current);
    m_current = nullptr;
    m_endProgram();
}

void Navigator::show(QMainWindow *window)
{
    window->adjustSize(); // lets the fixed-size layout add the menu bar to the client area
    desktop::centre(*window);
    window->show();
    desktop::activate(*window);
    m_current = window;
}

void Navigator::unload(QMainWindow *window)
{
    if (!window)
        return;
    window->hide();
    // Deferred: the window may be running the handler that called us, or have a box of its own in
    // exec() further down the stack.
    release(*window);
    std::erase_if(m_unloading, [](const QPointer<QMainWindow> &w) { return w.isNull(); });
    m_unloading.emplace_back(window);
}

} // namespace zumo
