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
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zumo::test {

class MapEnvironment final : public Environment
{
public:
    std::optional<std::string> value(const char *name) const override;
    std::map<std::string, std::string> variables;
};

// Draws that give case i the amount of value index i at every set-up, none of them rejected:
// case 1 holds $1,000,000 and case 25 holds $1.
class OrderedRandom final : public RandomSource
{
public:
    void reseed() override { m_next = 0; }
    float draw() override { return (static_cast<float>(m_next++ % CaseCount) + 0.5f) / CaseCount; }

private:
    int m_next = 0;
};

// A modal message box as it was when it became the active modal widget.
struct SeenBox
{
    QString title;
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    bool applicationModal;
    Qt::TextFormat shownFormat; // of the label inside the box that draws the text
};

using Answer = std::function<void(QMessageBox &)>;
namespace answer {
const Answer pressReturn = [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Return); };
const Answer pressEscape = [](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); };
const Answer clickYes
    = [](QMessageBox &box) { QTest::mouseClick(box.button(QMessageBox::Yes), Qt::LeftButton); };
const Answer clickNo
    = [](QMessageBox &box) { QTest::mouseClick(box.button(QMessageBox::No), Qt::LeftButton); };
const Answer clickOk
    = [](QMessageBox &box) { QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton); };
const Answer closeByFrame = [](QMessageBox &box) { box.close(); };
const Answer leaveOpen = [](QMessageBox &) { /* until another box opens above and closes again */ };
} // namespace answer

// Answers modal message boxes, in the order they become the active modal widget, from inside
// their own event loops: a box that was covered by another counts again when it is uncovered.
// A box with no answer queued fails the test and is rejected, so nothing hangs.
class BoxScript
{
public:
    BoxScript();
    BoxScript &then(Answer answer, int times = 1);
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

QString fromView(std::string_view text);
// A lobby command's font, drawn large under the pointer (24 pt) or at its design size (18 pt).
constexpr int Hovered = 32;
constexpr int Plain = 24;

QLabel *label(const QWidget *window, std::string_view name); // by its design name
QLabel *caseLabel(const frmViewer *board, int index);
QLabel *valueLabel(const frmViewer *board, int index);
QRect pixelBox(float left, float top, float width, float height); // twips in, pixels out
std::vector<int> commandPixelSizes(const frmMenu *lobby); // in LobbyCommand order
QColor expectedColour(Colour colour);

// The label's font, alignment, text format and colours are its design's, and its box is box.
void expectDrawnAsDesigned(const QLabel *label, const design::LabelDesign &design, QRect box);
// The central widget is exactly client big, right below the menu bar, which stays in the window;
// the window is fixed at that, offers no maximise button, is titled with the game title and,
// where the program places its windows, centred on its screen.
void expectFrame(const QMainWindow *window, QSize client);
// "File: New Game Ctrl+N, Exit Ctrl+X" and so on, one entry per menu of the menu bar.
QStringList menuListing(const QMainWindow *window);
QAction *menuItem(const QMainWindow *window, const QString &text);

inline void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}
inline void ctrlKey(QWidget *window, Qt::Key key)
{
    QTest::keyClick(window, key, Qt::ControlModifier);
}
// A key as the window system delivers it: to the window's focus widget first, then up to the
// window, and not at all while a modal box blocks the window.
inline void typeKey(QWidget *window, Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(window->windowHandle(), k, modifiers);
}
// Runs object's first accessible action, which must be Press, as an assistive client would, then
// gives the event loop the turn in which a label's press clicks it.
void pressAction(QObject *object);
// Deletes what deleteLater() left behind, as the event loop would on its next turn.
void flushDeferredDeletes();
// Waits until window is shown and, where the program activates its windows, active. On Wayland
// only the compositor activates a window (a headless one, with no seat, never does).
bool waitUntilShown(QWidget *window);

// A dark desktop scheme for the application while it lives (Breeze Dark's colours, or the
// desktop's own under ZUMO_TEST_DARK_DESKTOP); the scheme before it comes back afterwards.
// Windows hear of either change as they would from the desktop.
class DarkScheme
{
public:
    DarkScheme();
    ~DarkScheme();
    DarkScheme(const DarkScheme &) = delete;
    DarkScheme &operator=(const DarkScheme &) = delete;

private:
    QPalette m_before;
};

// How a label's caption stands out from the face around it, in drawn (label's window, grabbed
// whole: grabbing a widget paints its background even where it does not fill it itself): the
// face at the box's bottom left corner, the ink the pixel in the box most unlike it.
double drawnContrast(const QImage &drawn, const QLabel *label);

// Every widget test starts from the lobby, as the program does, and must end with no window left.
class UiTest : public testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    frmMenu *lobby() const { return qobject_cast<frmMenu *>(nav->current()); }
    frmViewer *board() const { return qobject_cast<frmViewer *>(nav->current()); }
    // Ctrl+N on the lobby, then the board's activation (shortcuts need an active window).
    frmViewer *newGame();
    // Chooses case ownCase, then opens the others in index order, refusing refusals offers and
    // accepting the next one if refusals < 8, until the slide begins.
    void playToTheSlide(int ownCase, int refusals, BoxScript &boxes);
    // Case 25 (holding $1) as the player's, then cases 1 to 6: the first offer opens.
    static void playFirstStage(frmViewer *board);
    // Calls the board's tick handler until the board hands over; the number of ticks it took.
    int tickUntilHandOver(frmViewer *board);

    MapEnvironment env;
    OrderedRandom random;
    int programEnds = 0;
    std::unique_ptr<Navigator> nav;
};

} // namespace zumo::test
