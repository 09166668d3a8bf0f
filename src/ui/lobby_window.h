// frmMenu, the lobby: title, four command labels with their hover highlight, and the menus.
#pragma once

#include "shell/lobby.h"
#include "window_frame.h"

#include <QMainWindow>
#include <array>
#include <string>

namespace zumo {

class Label;
class Navigation;

class frmMenu final : public QMainWindow, private LobbyHost
{
    Q_OBJECT

public:
    // Loads the window: labels at their design and Form_Load, which reads the name into playerName.
    // nav, env and playerName outlive the window.
    frmMenu(Navigation &nav, const Environment &env, std::string &playerName);

    // The click procedures of the labels; the menu item with the same meaning calls the same one.
    void lblNew_Click();
    void lblHelp_Click();
    void lblAbout_Click();
    void lblExit_Click();

    // Keyboard play from the start, New Game current, as it was when the player last left the
    // lobby by keys: a screen reader says where the focus is, not an empty window.
    void playByKeys() { moveCurrent(0); }

protected:
    void closeEvent(QCloseEvent *event) override;
    // The keyboard, for a player without a mouse: Tab, Shift+Tab, Up and Down make another command
    // current, drawn as the pointer draws it; Return, Enter and Space, let go, run it.
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void startGame() override;
    void showHowToPlay() override;
    void showAbout() override;
    void endProgram() override;

    void commandMouseMove(LobbyCommand raisedBy);
    void syncFontSizes();
    void moveCurrent(int by);
    Label *command(LobbyCommand c) const { return m_commands[static_cast<std::size_t>(c)]; }

    Navigation &m_nav;
    Lobby m_lobby;
    std::array<Label *, 4> m_commands {}; // indexed by LobbyCommand
    bool m_handedOver = false; // unloaded: no handler may touch the window any more
    bool m_keyboard = false; // the player has pressed a key that moves the focus
    HeldKey m_activating; // Return, Enter or Space on a command, until it is let go
};

} // namespace zumo
