// frmViewer, the board: 55 labels drawn from the game's slots, the slide timer and the menus.
#pragma once

#include "board/board.h"
#include "window_frame.h"

#include <QMainWindow>
#include <QTimer>
#include <array>
#include <optional>
#include <string>

namespace zumo {

class Announcer;
class Label;
class Navigation;

class frmViewer final : public QMainWindow, private BoardHost
{
    Q_OBJECT

public:
    // Loads the window: its labels at their design, then the board's Form_Load, before any show.
    // nav, random and playerName outlive the window.
    frmViewer(Navigation &nav, RandomSource &random, const std::string &playerName);

    // The game as the window shows it, for whoever needs to read it (tests, above all).
    const BoardState &state() const { return m_board.state(); }
    // Whether the player has moved the focus by keys: the lobby after the game comes back so.
    bool playedByKeys() const { return m_keyboard; }

    // Handlers of the design's events; each may end with the window unloaded.
    void lblCase_Click(int index);
    void tmrMoveCase_Timer();
    void mnuMenu_Click();
    void mnuExit_Click();
    void mnuHow_Click();
    void mnuAbout_Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    // The keyboard, for a player without a mouse: Tab, Shift+Tab and the arrows move the focus
    // through the cases in play; Return, Enter and Space, let go, click the focused case; V has the
    // amounts still in play read out.
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    // BoardHost. Each box opens with every label in line with the game. No hand-over can happen
    // while one is open: the timer is off and the box blocks the menus.
    bool askYesNo(const std::string &prompt) override;
    void tell(const std::string &prompt) override;
    void returnToLobby() override;

    template<typename Event> void dispatch(Event &&event);
    void syncView();
    void speakChanges();
    void handOver();
    void moveFocus(PlayKey move);
    void keepFocusInPlay();
    int caseOf(const QWidget *widget) const; // -1 when widget is no case label
    int focusedCase() const; // -1 when no case label has the window's focus

    Navigation &m_nav;
    Board m_board;
    std::array<Label *, CaseCount> m_lblCase {};
    std::array<Label *, CaseCount> m_lblValues {};
    Label *m_lblTask = nullptr;
    QTimer *m_tmrMoveCase = nullptr;
    Announcer *m_announcer = nullptr;
    // The board as a screen reader user last heard it; empty while no assistive technology listens.
    std::optional<BoardState> m_heard;
    bool m_handedOver = false; // unloaded: no handler may touch the window any more
    bool m_keyboard = false; // the player has pressed a key that moves the focus
    bool m_syncing = false; // labels are being brought in line one by one
    HeldKey m_activating; // Return, Enter or Space on a case, until it is let go
};

} // namespace zumo
