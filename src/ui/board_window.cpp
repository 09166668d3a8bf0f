// The board window: forwards clicks and ticks to zumo::Board and redraws every label after each.
#include "board_window.h"

#include "announcer.h"
#include "board/case_order.h"
#include "board/descriptions.h"
#include "label.h"
#include "message_box.h"
#include "navigation.h"
#include "window_frame.h"

#include <QAccessible>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPointer>
#include <algorithm>
#include <string_view>

namespace zumo {

namespace {

QString arrayName(std::string_view control, int index)
{
    return QStringLiteral("%1(%2)").arg(toQString(control)).arg(index);
}

// What colour and place tell a sighted player; the caption stays the accessible name.
void describe(QLabel *label, const std::string &description)
{
    const QString text = QString::fromStdString(description);
    if (label->accessibleDescription() != text)
        label->setAccessibleDescription(text);
}

} // namespace

frmViewer::frmViewer(Navigation &nav, RandomSource &random, const std::string &playerName)
    : m_nav(nav)
    , m_board(*this, random, playerName)
{
    buildFrame(*this, design::BoardClient);
    QWidget *client = centralWidget();
    createLabels(client, design::BoardLabels);
    m_lblTask = client->findChild<Label *>(toQString(design::TaskLabel));

    for (int i = 0; i < CaseCount; ++i) {
        m_lblValues[i] = new Label(design::ValueLabel, client);
        m_lblValues[i]->setObjectName(arrayName(design::ValueLabel.control, i));
    }
    // Created last, so the cases are drawn above everything, the sliding one above lblTask.
    for (int i = 0; i < CaseCount; ++i) {
        m_lblCase[i] = new Label(design::CaseLabel, client);
        m_lblCase[i]->setObjectName(arrayName(design::CaseLabel.control, i));
        m_lblCase[i]->setPressable(true);
        m_lblCase[i]->setFocusMark(true);
        connect(m_lblCase[i], &Label::clicked, this, [this, i] { lblCase_Click(i); });
    }

    m_tmrMoveCase = new QTimer(this); // a child: it dies with the board
    m_tmrMoveCase->setObjectName(QStringLiteral("tmrMoveCase"));
    m_tmrMoveCase->setTimerType(Qt::PreciseTimer); // what Linux makes of <= 20 ms anyway; says why
    connect(m_tmrMoveCase, &QTimer::timeout, this, &frmViewer::tmrMoveCase_Timer);

    QMenu *mnuFile = menuBar()->addMenu(QStringLiteral("File"));
    mnuFile->addAction(
        QStringLiteral("Return to Lobby"), ctrl(Qt::Key_R), this, &frmViewer::mnuMenu_Click);
    mnuFile->addAction(QStringLiteral("Exit"), ctrl(Qt::Key_X), this, &frmViewer::mnuExit_Click);
    QMenu *mnuHelp = menuBar()->addMenu(QStringLiteral("Help"));
    mnuHelp->addAction(
        QStringLiteral("How to Play"), ctrl(Qt::Key_H), this, &frmViewer::mnuHow_Click);
    mnuHelp->addAction(
        QStringLiteral("About the Game"), ctrl(Qt::Key_A), this, &frmViewer::mnuAbout_Click);

    m_announcer = new Announcer(client);
    m_heard.emplace(); // the window before its load step: whatever the step writes is news
    dispatch([this] { m_board.Form_Load(); });
    m_announcer->say(
        QStringLiteral("Press Tab to reach the cases, and V to hear the amounts still in play."));
}

// Runs one event, then brings the view in line with the game, unless the event unloaded the
// window: by hand-over (still alive, deletion deferred) or by deletion inside a nested box's loop.
template<typename Event> void frmViewer::dispatch(Event &&event)
{
    const QPointer<frmViewer> self(this);
    event();
    if (!self || m_handedOver)
        return;
    syncView();
}

void frmViewer::lblCase_Click(int index)
{
    dispatch([this, index] { m_board.lblCase_Click(index); });
}

void frmViewer::tmrMoveCase_Timer()
{
    dispatch([this] { m_board.tmrMoveCase_Timer(); });
}

void frmViewer::mnuMenu_Click()
{
    returnToLobby();
}

void frmViewer::mnuExit_Click()
{
    handOver();
    m_nav.endProgram();
}

// How to Play and About during the slide: the slide goes on behind the box, since timers keep
// firing in its event loop, as the design allows. If the case arrives, the closing message opens
// above this box and, once answered, the lobby is shown and this window is deleted while this box
// is still in exec(). The box has no parent and lives on this stack frame, so it stays open, safe,
// over the (blocked) lobby; after OK, dispatch sees the window gone and touches nothing.
void frmViewer::mnuHow_Click()
{
    dispatch([] {
        MessageBoxes boxes;
        ShowHowToPlay(boxes);
    });
}

void frmViewer::mnuAbout_Click()
{
    dispatch([] {
        MessageBoxes boxes;
        ShowAbout(boxes);
    });
}

void frmViewer::closeEvent(QCloseEvent *event)
{
    event->accept();
    // The lobby is not loaded, so closing the board's frame leaves no window: the program ends.
    if (!m_handedOver)
        mnuExit_Click();
}

bool frmViewer::askYesNo(const std::string &prompt)
{
    m_announcer->awaitBox(); // "Case 7 held $50." after the offer, not cut short by it
    syncView(); // the opened case gone and the instruction empty behind the offer
    MessageBoxes boxes;
    return boxes.askYesNo(prompt);
}

void frmViewer::tell(const std::string &prompt)
{
    m_announcer->awaitBox();
    syncView(); // also stops the timer before the closing message, and shows the opened case
    MessageBoxes boxes;
    boxes.tell(prompt);
}

void frmViewer::returnToLobby()
{
    handOver();
    m_nav.returnToLobby();
}

void frmViewer::handOver()
{
    m_handedOver = true;
    m_tmrMoveCase->stop(); // no tick may reach a board on its way out
}

void frmViewer::syncView()
{
    const BoardState &s = m_board.state();
    // Before any caption changes: Qt 6.4 reports a new name or description of the focused case in
    // a form Orca rejects. Moved first, the focus rests on a case whose caption stays as it is.
    keepFocusInPlay();
    // Then what happened: a reader says a focus change before a message that came first, or cuts
    // the message short for it (Orca 48), so the message comes second everywhere.
    speakChanges();
    m_syncing = true;
    for (int i = 0; i < CaseCount; ++i) {
        const CaseSlot &slot = s.lblCase[i];
        Label *label = m_lblCase[i];
        label->setText(QString::fromStdString(slot.Caption));
        label->setBox(slot.Left, slot.Top, slot.Width, slot.Height);
        label->setEnabled(slot.Enabled);
        label->setVisible(slot.Visible);
        describe(label, caseDescription(s, i));
    }
    for (int i = 0; i < CaseCount; ++i) {
        const ValueSlot &slot = s.lblValues[i];
        Label *label = m_lblValues[i];
        label->setText(QString::fromStdString(slot.Caption));
        label->setBox(slot.Left, slot.Top, slot.Width, slot.Height);
        label->setForeColor(slot.ForeColor);
        describe(label, valueDescription(s, i));
    }
    m_lblTask->setText(QString::fromStdString(s.lblTask.Caption));
    m_syncing = false;

    if (m_tmrMoveCase->interval() != s.tmrMoveCase.Interval)
        m_tmrMoveCase->setInterval(s.tmrMoveCase.Interval); // restarts a running timer
    if (s.tmrMoveCase.Enabled && !m_tmrMoveCase->isActive())
        m_tmrMoveCase->start();
    else if (!s.tmrMoveCase.Enabled)
        m_tmrMoveCase->stop();
}

// What a sighted player saw change since the last view, said in words. Nothing is kept while no
// assistive technology listens; one that starts listening mid-game hears from then on.
void frmViewer::speakChanges()
{
    const BoardState &s = m_board.state();
    if (!QAccessible::isActive()) {
        m_heard.reset();
        return;
    }
    if (m_heard) {
        for (const std::string &heard : announcements(*m_heard, s))
            m_announcer->say(QString::fromStdString(heard));
    }
    m_heard = s;
}

bool frmViewer::focusNextPrevChild(bool next)
{
    // Qt also comes here on its own when a focused case is hidden or disabled in the middle of
    // syncView; but syncView has placed the focus before it touches any label (keepFocusInPlay).
    if (!m_syncing && !m_handedOver)
        moveFocus(next ? PlayKey::Right : PlayKey::Left); // in number order, as Right and Left
    return true;
}

void frmViewer::keyPressEvent(QKeyEvent *event)
{
    const PlayKey key = m_handedOver ? PlayKey::None : playKey(*event);
    switch (key) {
    case PlayKey::Right:
    case PlayKey::Left:
    case PlayKey::Down:
    case PlayKey::Up:
        moveFocus(key);
        return;
    case PlayKey::Activate:
        if (const int focused = focusedCase(); focused >= 0) {
            m_activating.press(*event, m_lblCase[focused]);
            return;
        }
        break;
    case PlayKey::ReadAmounts:
        if (m_keyboard) {
            m_announcer->say(QString::fromStdString(amountsInPlay(m_board.state())));
            return;
        }
        break;
    case PlayKey::None:
        break;
    }
    QMainWindow::keyPressEvent(event);
}

void frmViewer::keyReleaseEvent(QKeyEvent *event)
{
    const int held = m_handedOver ? -1 : caseOf(m_activating.release(*event, focusWidget()));
    if (held >= 0) {
        lblCase_Click(held); // may unload the window: nothing may follow
        return;
    }
    QMainWindow::keyReleaseEvent(event);
}

void frmViewer::moveFocus(PlayKey move)
{
    const BoardState &s = m_board.state();
    const int from = focusedCase();
    int to = -1;
    if (!m_keyboard || from < 0) {
        // Keyboard play is the player's choice: until now no case took the focus or drew its mark.
        m_keyboard = true;
        to = nextCaseInPlay(s, -1, +1);
    } else if (move == PlayKey::Right || move == PlayKey::Left) {
        to = nextCaseInPlay(s, from, move == PlayKey::Right ? +1 : -1);
    } else {
        to = caseInColumn(s, from, move == PlayKey::Down ? +1 : -1);
    }
    keepFocusInPlay();
    if (to >= 0)
        m_lblCase[to]->setFocus(Qt::TabFocusReason);
}

// Only cases in play take the focus, and a focused case that leaves play (chosen, opened, or put
// away by the ending) hands it on to the next case in number order, so the player keeps their place.
void frmViewer::keepFocusInPlay()
{
    if (!m_keyboard)
        return;
    const BoardState &s = m_board.state();
    const int at = focusedCase();
    if (at < 0 || inPlay(s, at))
        return;
    if (const int next = nextCaseInPlay(s, at, +1); next >= 0)
        m_lblCase[next]->setFocus(Qt::TabFocusReason);
    else
        centralWidget()->setFocus(); // where it rests before the first key
}

int frmViewer::caseOf(const QWidget *widget) const
{
    const auto it = std::find(m_lblCase.begin(), m_lblCase.end(), widget);
    return widget && it != m_lblCase.end() ? static_cast<int>(it - m_lblCase.begin()) : -1;
}

int frmViewer::focusedCase() const
{
    return caseOf(focusWidget()); // also while a box has the activation
}

} // namespace zumo
