// Deleting what the player has left: at once, or once a screen reader has caught up with it.
#include "release.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <vector>

namespace zumo {

namespace {

// Long enough for a screen reader to get through the events of a window's going (3.6 s was seen
// under a sanitizer), short enough to hold no more than a box or two.
constexpr std::chrono::seconds Linger { 10 };

std::vector<QPointer<QWidget>> &held()
{
    static std::vector<QPointer<QWidget>> widgets; // emptied by releaseAll, before Qt goes
    return widgets;
}

// The handler an Unheard replaced, to put back; Unheards nest.
QAccessible::UpdateHandler heard = nullptr;
int unheardDepth = 0;

void hearNothing(QAccessibleEvent *)
{ }

void deleteUnheard(QWidget *widget)
{
    const Unheard unheard;
    delete widget;
}

#ifdef Q_OS_WIN

// When a window becomes active, Qt's UI Automation bridge raises a focus change for the widget
// that has the focus in it, and Qt raises another as that widget takes the focus: a Windows reader
// was told of the same button twice. The second is dropped.
QPointer<QObject> focusTold;

void tellFocusOnce(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::StateChanged) {
        const QAccessibleInterface *window = event->accessibleInterface();
        if (static_cast<QAccessibleStateChangeEvent *>(event)->changedStates().active && window
            && window->role() == QAccessible::Window && window->state().active) {
            const QAccessibleInterface *focused = window->focusChild();
            focusTold = focused ? focused->object() : nullptr;
        }
    } else if (event->type() == QAccessible::Focus) {
        const bool told = focusTold && event->object() == focusTold;
        focusTold = nullptr;
        if (told)
            return;
    }
    // On to the bridge, which Qt calls only while no handler is installed.
    QAccessible::installUpdateHandler(nullptr);
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(tellFocusOnce);
}

#endif

} // namespace

void hearEachFocusOnce()
{
#ifdef Q_OS_WIN
    QAccessible::installUpdateHandler(tellFocusOnce);
#endif
}

Unheard::Unheard()
{
    const QAccessible::UpdateHandler before = QAccessible::installUpdateHandler(hearNothing);
    if (unheardDepth++ == 0)
        heard = before;
}

Unheard::~Unheard()
{
    if (--unheardDepth == 0)
        QAccessible::installUpdateHandler(heard);
}

void release(QWidget &widget)
{
    if (!QAccessible::isActive()) {
        widget.deleteLater();
        return;
    }
    std::erase_if(held(), [](const QPointer<QWidget> &w) { return w.isNull(); });
    held().emplace_back(&widget);
    QTimer::singleShot(Linger, qApp, [kept = QPointer<QWidget>(&widget)] {
        if (kept)
            deleteUnheard(kept.data());
    });
}

void releaseAll()
{
    std::vector<QPointer<QWidget>> widgets;
    widgets.swap(held());
    for (const QPointer<QWidget> &w : widgets) {
        if (w)
            deleteUnheard(w.data());
    }
}

} // namespace zumo
