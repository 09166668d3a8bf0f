// The hand-over between lobby and board: exactly one window loaded, created fresh each time.
#pragma once

#include "navigation.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

namespace zumo {

class Environment;
class RandomSource;

class Navigator final : public Navigation
{
public:
    // env and random outlive the navigator. endProgram ends the program (production: quit the
    // event loop); it runs after the visible window is unloaded.
    Navigator(const Environment &env, RandomSource &random, std::function<void()> endProgram);
    ~Navigator() override;

    Navigator(const Navigator &) = delete;
    Navigator &operator=(const Navigator &) = delete;

    // Loads and shows the lobby, as at start-up.
    void start();

    void startGame() override;
    void returnToLobby() override;
    void endProgram() override;

    // The loaded window (a frmMenu or a frmViewer); nullptr before start() and after endProgram().
    QMainWindow *current() const { return m_current; }

private:
    void show(QMainWindow *window);
    void unload(QMainWindow *window);

    const Environment &m_env;
    RandomSource &m_random;
    std::function<void()> m_endProgram;
    std::string m_playerName; // PlayerName: written by each lobby load, read by the board
    QPointer<QMainWindow> m_current;
    // Unloaded windows whose deferred delete has not run yet; the navigator deletes what is left.
    std::vector<QPointer<QMainWindow>> m_unloading;
};

} // namespace zumo
