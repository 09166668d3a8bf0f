// The lobby window: its labels come from the design table, its behaviour from zumo::Lobby.
#include "lobby_window.h"

#include "label.h"
#include "message_box.h"
#include "navigation.h"
#include "window_frame.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <algorithm>
#include <optional>

namespace zumo {

namespace {

// The click procedures of the command labels, indexed by LobbyCommand.
constexpr std::array<void (frmMenu::*)(), 4> CommandClicks { &frmMenu::lblNew_Click,
    &frmMenu::lblHelp_Click, &frmMenu::lblAbout_Click, &frmMenu::lblExit_Click };

} // namespace

frmMenu::frmMenu(Navigation &nav, const Environment &env, std::string &playerName)
    : m_nav(nav)
    , m_lobby(*this, env, playerName)
{
    buildFrame(*this, design::LobbyClient);
    createLabels(centralWidget(), design::LobbyLabels);

    for (std::size_t i = 0; i < m_commands.size(); ++i) {
        Label *label
            = centralWidget()->findChild<Label *>(toQString(design::LobbyCommandLabels[i]));
        label->setMouseTracking(true); // MouseMove without a button held
        const auto command = static_cast<LobbyCommand>(i);
        connect(label, &Label::mouseMoved, this, [this, command] { commandMouseMove(command); });
        // Focus from anywhere (assistive technology too) makes the command current, so that the
        // command announced is the one drawn large and the one Return runs.
        connect(label, &Label::focusReceived, this, [this, command] { commandMouseMove(command); });
        connect(label, &Label::clicked, this, CommandClicks[i]);
        label->setPressable(true);
        m_commands[i] = label;
    }

    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->addAction(QStringLiteral("New Game"), ctrl(Qt::Key_N), this, &frmMenu::lblNew_Click);
    mnuFile->addAction(QStringLiteral("Exit"), ctrl(Qt::Key_X), this, &frmMenu::lblExit_Click);
    QMenu *mnuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    mnuHelp->addAction(
        QStringLiteral("How to Play"), ctrl(Qt::Key_H), this, &frmMenu::lblHelp_Click);
    mnuHelp->addAction(
        QStringLiteral("About the Game"), ctrl(Qt::Key_A), this, &frmMenu::lblAbout_Click);

    m_lobby.Form_Load();
    syncFontSizes();
}

// Each click procedure may end with the window unloaded; they touch nothing of it afterwards.
void frmMenu::lblNew_Click()
{
    m_lobby.lblNew_Click();
}
void frmMenu::lblHelp_Click()
{
    m_lobby.lblHelp_Click();
}
void frmMenu::lblAbout_Click()
{
    m_lobby.lblAbout_Click();
}
void frmMenu::lblExit_Click()
{
    m_lobby.lblExit_Click();
}

void frmMenu::closeEvent(QCloseEvent *event)
{
    event->accept();
    // The board is not loaded, so closing the lobby's frame leaves no window: the program ends.
    if (!m_handedOver)
        endProgram();
}

void frmMenu::startGame()
{
    m_handedOver = true;
    m_nav.startGame();
}

void frmMenu::showHowToPlay()
{
    MessageBoxes boxes;
    ShowHowToPlay(boxes); // nothing to do after it, so nothing of the window to guard
}

void frmMenu::showAbout()
{
    MessageBoxes boxes;
    ShowAbout(boxes);
}

void frmMenu::endProgram()
{
    m_handedOver = true;
    m_nav.endProgram();
}

void frmMenu::commandMouseMove(LobbyCommand raisedBy)
{
    m_lobby.commandMouseMove(raisedBy);
    syncFontSizes();
    if (m_keyboard && !command(raisedBy)->hasFocus())
        command(raisedBy)->setFocus(Qt::OtherFocusReason);
}

bool frmMenu::focusNextPrevChild(bool next)
{
    if (!m_handedOver)
        moveCurrent(next ? +1 : -1);
    return true;
}

void frmMenu::keyPressEvent(QKeyEvent *event)
{
    switch (m_handedOver ? PlayKey::None : playKey(*event)) {
    case PlayKey::Down:
        moveCurrent(+1);
        break;
    case PlayKey::Up:
        moveCurrent(-1);
        break;
    case PlayKey::Right:
    case PlayKey::Left:
        moveCurrent(0); // the commands stand in one column: sideways only starts keyboard play
        break;
    case PlayKey::Activate:
        if (m_keyboard) {
            m_activating.press(*event, focusWidget());
            break;
        }
        [[fallthrough]];
    case PlayKey::ReadAmounts: // the lobby has none
    case PlayKey::None:
        QMainWindow::keyPressEvent(event);
        break;
    }
}

void frmMenu::keyReleaseEvent(QKeyEvent *event)
{
    const QWidget *target = m_handedOver ? nullptr : m_activating.release(*event, focusWidget());
    const auto it = std::find(m_commands.begin(), m_commands.end(), target);
    if (it != m_commands.end()) {
        (this->*CommandClicks[static_cast<std::size_t>(it - m_commands.begin())])();
        return; // the window may be unloaded: nothing may follow
    }
    QMainWindow::keyReleaseEvent(event);
}

void frmMenu::moveCurrent(int by)
{
    constexpr int count = static_cast<int>(LobbyCommand::Exit) + 1;
    const std::optional<LobbyCommand> current = m_lobby.highlighted();
    LobbyCommand next = LobbyCommand::New;
    if (!m_keyboard) {
        // Keyboard play is the player's choice: until now no command took the focus.
        m_keyboard = true;
    } else if (current) {
        next = static_cast<LobbyCommand>((static_cast<int>(*current) + by + count) % count);
    }
    commandMouseMove(next); // the current command is drawn exactly as the pointer draws it
}

void frmMenu::syncFontSizes()
{
    for (std::size_t i = 0; i < m_commands.size(); ++i)
        m_commands[i]->setFontSize(m_lobby.fontSize(static_cast<LobbyCommand>(i)));
}

} // namespace zumo
