// Spoken, never seen: messages for a screen reader about what a sighted player sees happen.
#pragma once

#include <QStringList>
#include <QWidget>

namespace zumo {

// A child of a window that draws nothing, takes no focus and no click. Qt 6.4 offers no way to
// speak on a program's own initiative (no announcement event, no live regions), but Orca 43 reads
// a notification the moment it becomes showing: the message is said by showing one, inside a
// status bar, which makes Orca read the message alone, without a role word.
class Announcer final : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    // Said as soon as the window is active, after what is already waiting: a notice in a window
    // not yet shown is never read, and behind a box it would come before the reader says that
    // the player is back in the window. Nothing happens while no assistive technology listens.
    void say(const QString &message);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void flush();

    QStringList m_waiting;
};

} // namespace zumo
