// What the widget tests share: scripted environment and draws, a modal-box answerer, the fixture.
#pragma once

#include "board/board_host.h"
#include "shell/player_name.h"
#include "ui/board_window.h"
#include "ui/design.h"
#include "ui/lobby_window.h"
#include "ui/navigator.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zumo::test {

class MapEnvironment final : public Environment
{
public:
    std::optional<std::string> value(const char *name) const override;
    std::map<std::string, std::string> variables;
};

// Draws that give case i the amount of value index (i + firstIndex) % 25 at every set-up, with no
// draw rejected: case 1 holds $1,000,000 and case 25 holds $1 unless firstIndex says otherwise.
class OrderedRandom final : public RandomSource
{
public:
    void reseed() override { m_next = firstIndex; }
    float draw() override;
    int firstIndex = 0;

private:
    int m_next = 0;
};

// A modal message box as it was when it became the active modal widget.
struct SeenBox
{
    QString title;
    QString text;
    Qt::TextFormat textFormat;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    bool applicationModal;
    Qt::TextFormat shownFormat; // of the label inside the box that draws the text
};

using Answer = std::function<void(QMessageBox &)>;

namespace answer {
void pressReturn(QMessageBox &box);
void pressEscape(QMessageBox &box);
void clickYes(QMessageBox &box);
void clickNo(QMessageBox &box);
void clickOk(QMessageBox &box);
void closeByFrame(QMessageBox &box);
void leaveOpen(QMessageBox &box); // until another box opens above it and closes again
} // namespace answer

// Answers modal message boxes, in the order they become the active modal widget, from inside
// their own event loops: a box that was covered by another counts again when it is uncovered.
// A box with no answer queued fails the test and is rejected, so nothing hangs.
class BoxScript
{
public:
    BoxScript();
    ~BoxScript();

    BoxScript &then(Answer answer);
    BoxScript &then(int times, const Answer &answer);
    const std::vector<SeenBox> &seen() const { return m_seen; }
    std::size_t unused() const { return m_answers.size(); }

private:
    void poll();

    QTimer m_poll;
    std::deque<Answer> m_answers;
    std::vector<SeenBox> m_seen;
    QPointer<QMessageBox> m_current;
    QElapsedTimer m_openFor;
};

// The label's font, alignment, text format and colours are its design's, and its box is box.
void expectDrawnAsDesigned(const QLabel *label, const design::LabelDesign &design, QRect box);
// The central widget is exactly client big, right below the menu bar; the window is fixed at that,
// titled with the game title and centred on its screen.
void expectFrame(const QMainWindow *window, QSize client);
// "File: New Game Ctrl+N, Exit Ctrl+X" and so on, one entry per menu of the menu bar.
QStringList menuListing(const QMainWindow *window);
QAction *menuItem(const QMainWindow *window, const QString &text);
QColor expectedColour(Colour colour);

QLabel *label(const QWidget *window, const QString &name);
QLabel *caseLabel(const frmViewer *board, int index);
void click(QWidget *widget);
void ctrlKey(QWidget *window, Qt::Key key);
// Deletes what deleteLater() left behind, as the event loop would on its next turn.
void flushDeferredDeletes();

// Every widget test starts from the lobby, as the program does, and must end with no window left.
class UiTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    frmMenu *lobby() const;
    frmViewer *board() const;
    // Ctrl+N on the lobby, then the board's activation (shortcuts need an active window).
    frmViewer *newGame();
    // Chooses case ownCase, then opens the others in index order, answering offers with No until
    // refusals of them are made and the next offer with accept (Yes) unless refusals is 8.
    void playToTheSlide(int ownCase, int refusals, BoxScript &boxes);
    // Calls the board's tick handler until the board hands over; the number of ticks it took.
    int tickUntilHandOver(frmViewer *board);

    MapEnvironment env;
    OrderedRandom random;
    int programEnds = 0;
    std::unique_ptr<Navigator> nav;
};

} // namespace zumo::test
