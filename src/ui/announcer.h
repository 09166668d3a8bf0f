// Spoken, never seen: messages for a screen reader about what a sighted player sees happen.
#pragma once

#include <QStringList>
#include <QWidget>

namespace zumo {

// A child of a window that draws nothing, takes no focus and no click, and hands each message to
// assistive technology: as Qt's announcement where Qt has one (6.8), else as a notice of its own.
class Announcer final : public QWidget
{
    Q_OBJECT

public:
    explicit Announcer(QWidget *parent);

    // Said once the window is active and its focus in place, after what is already waiting: a
    // reader says a message as it comes and cuts it short for a focus change that comes later,
    // and a message in a window not yet shown is never read. Nothing happens while no assistive
    // technology listens.
    void say(const QString &message);
    // What is said next waits instead for the box about to open over the window, and comes after
    // the reader has said the box: said before, a message was cut short by the box.
    void awaitBox() { m_awaitingBox = true; }

private:
    void windowFocused(const QWindow *window);
    void flush();

    QStringList m_waiting;
    bool m_awaitingBox = false;
};

} // namespace zumo
