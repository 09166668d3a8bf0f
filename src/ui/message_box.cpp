// QMessageBox set up the one safe way: no static helpers, plain text, no parent.
#include "message_box.h"

#include "design.h"
#include "desktop.h"
#include "release.h"
#include "window_frame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>
#include <memory>

namespace zumo {

namespace {

// Holds back the keys that answer box (Return, Enter, Escape) until they are let go, as the
// windows do (see HeldKey); QDialog and its buttons answer as a key goes down. Escape waits as
// well: had the box gone as the key went down, a reader that hears keys beside the program would
// take the key as typed in the window behind and cut short what the answer brings there.
class AnswerWhenLetGo final : public QObject
{
public:
    explicit AnswerWhenLetGo(QMessageBox &box)
        : m_box(box)
    {
        // The box's buttons, not only the box, take the keys: the focused one answers Return.
        QApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool press = event->type() == QEvent::KeyPress;
        if (m_answering || (!press && event->type() != QEvent::KeyRelease)
            || !watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != &m_box)
            return false;
        const auto &key = static_cast<const QKeyEvent &>(*event);
        if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier
            || (key.key() != Qt::Key_Return && key.key() != Qt::Key_Enter
                && key.key() != Qt::Key_Escape))
            return false;
        if (press) {
            m_held.press(key, static_cast<QWidget *>(watched));
            return true;
        }
        if (m_held.release(key, static_cast<QWidget *>(watched))) {
            QKeyEvent answer(QEvent::KeyPress, key.key(), key.modifiers(), key.text());
            m_answering = true;
            QCoreApplication::sendEvent(watched, &answer);
            m_answering = false;
        }
        return true;
    }

private:
    QMessageBox &m_box;
    HeldKey m_held;
    bool m_answering = false;
};

// Runs box modally, then gives the activation back. A parentless box leaves that to the window
// manager; without one no window would be active, and menu shortcuts only work in an active window.
// On Wayland the compositor gives it back, and desktop::activate leaves it to it.
void run(QMessageBox &box)
{
    const QPointer<QWidget> before = QApplication::activeWindow();
    {
        const AnswerWhenLetGo letGo(box);
        box.exec();
    }
    if (QApplication::activeModalWidget())
        return; // a box further down the stack is still open and active
    QWidget *next = before && before->isVisible() ? before.data() : nullptr;
    if (!next) {
        // The window that opened the box may have been unloaded meanwhile: the one shown instead.
        const auto windows = QApplication::topLevelWidgets();
        const auto it = std::find_if(windows.begin(), windows.end(),
            [](const QWidget *w) { return w->isVisible() && w->windowType() == Qt::Window; });
        next = it != windows.end() ? *it : nullptr;
    }
    if (next)
        desktop::activate(*next);
}

struct Release
{
    void operator()(QMessageBox *box) const { release(*box); }
};
using Box = std::unique_ptr<QMessageBox, Release>;

Box makeBox(const std::string &prompt, QMessageBox::StandardButtons buttons)
{
    Box box(new QMessageBox(QMessageBox::NoIcon, toQString(GameTitle), QString(), buttons));
    box->setTextFormat(Qt::PlainText); // the player's name comes from the environment
    // Read, never selected: without the text control QLabel keeps for selecting, Qt 6.8's
    // bridge has no edits of a text to report, which the label's accessible does not offer.
    box->setTextInteractionFlags(Qt::NoTextInteraction);
    box->setText(toQString(prompt));
    // Named by its title and its text, as a reader says it. Orca 48 reads of a box's labels only
    // those of three words or more, and "SOLD!" went unread; both Orcas pass over a label whose
    // text the box's name already holds.
    box->setAccessibleName(toQString(GameTitle) + QStringLiteral(". ") + box->text());
    return box;
}

} // namespace

void MessageBoxes::tell(const std::string &prompt)
{
    const Box box = makeBox(prompt, QMessageBox::Ok);
    run(*box);
}

bool MessageBoxes::askYesNo(const std::string &prompt)
{
    const Box box = makeBox(prompt, QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    box->setEscapeButton(QMessageBox::No);
    run(*box);
    return box->clickedButton() == box->button(QMessageBox::Yes);
}

} // namespace zumo
