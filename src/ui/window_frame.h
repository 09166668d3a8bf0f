// What both windows share: the fixed client area below the menu bar, the title, the menus.
#pragma once

#include "design.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <span>

class QKeyEvent;

namespace zumo {

// Gives window a central widget exactly area big below the menu bar, which holds the keyboard
// focus until a label takes it; fixes the window at that size and titles it with the game title.
void buildFrame(QMainWindow &window, design::ClientArea area);
// One Label per design, children of client, named after their controls.
void createLabels(QWidget *client, std::span<const design::LabelDesign> designs);

// Ctrl+letter, as the design's menu tables give every item.
inline QKeySequence ctrl(Qt::Key key)
{
    return QKeySequence(Qt::CTRL | key);
}

// What a key means to keyboard play in either window. Tab and Shift+Tab come the other way, through
// focusNextPrevChild. A held Return is no key at all: a mouse cannot click case after case either.
// V asks what a glance at the value board tells: the amounts still in play.
enum class PlayKey { None, Right, Left, Down, Up, Activate, ReadAmounts };
PlayKey playKey(const QKeyEvent &event);

// A key that acts does so when it is let go, as a mouse button clicks when it is released. A
// screen reader that hears keys alongside the program, not before it (Orca 48 on X11), takes the
// key with the window as it was; a box the key brings up is not cut short by the echo of the key.
// It acts on what had the focus as it went down, or not at all: the focus leaving that for
// anything else (a key, the pointer, a box, another window) forgets it.
class HeldKey final : public QObject
{
public:
    HeldKey();
    // The key goes down on target, which has the focus.
    void press(const QKeyEvent &event, QWidget *target);
    // The target, once, when the key that went down on it comes up with focus still on it;
    // otherwise null.
    QWidget *release(const QKeyEvent &event, const QWidget *focus);

private:
    void forget();

    int m_key = 0;
    QPointer<QWidget> m_target;
    struct
    {
        quint32 nativeScanCode = 0;
        quint64 timestamp = 0;
    } m_released; // the last key let go
};

} // namespace zumo
