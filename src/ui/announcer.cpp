// Words a screen reader speaks on the program's own initiative: what a sighted player sees happen.
#include "announcer.h"

#include "release.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <utility>

namespace zumo {

namespace {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

void prepare()
{ }

// Qt's own announcement, which a reader speaks when it comes, in the order sent. It comes from the
// window: Orca 48 drops an announcement that follows another from the same kind of object within
// 0.1 s, unless it comes from a window.
void announce(Announcer &announcer, const QString &message)
{
    QAccessibleAnnouncementEvent announcement(announcer.window(), message);
    QAccessible::updateAccessibility(&announcement);
}

#else

// Qt before 6.8 offers no way to speak on a program's own initiative (no announcement event, no
// live regions), but Orca reads a notification the moment it becomes showing, and inside a status
// bar reads the message alone, without a role word. So the announcer is a status bar, and each
// message a notification of its own, named by the message: a reader asks for the name after the
// event, when the next message may already be out, and must still find this one.
QAccessibleInterface *accessibleAnnouncement(const QString &className, QObject *object)
{
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<Announcer *>(object), QAccessible::StatusBar);
    if (object->isWidgetType() && qobject_cast<Announcer *>(object->parent()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

void prepare()
{
    // Interfaces are cached per object, so the factory must be in place before either is asked.
    static const bool installed = [] {
        QAccessible::installFactory(accessibleAnnouncement);
        return true;
    }();
    Q_UNUSED(installed);
}

// A reader gets round to a notice when it can, seconds later when busy (3.6 s seen under a
// sanitizer): so a notice is kept, showing, for many messages more. Hidden sooner, it would go
// unread by Orca 48, which drops a "showing" event that a later one of the same object overtakes.
constexpr qsizetype KeptNotices = 16;

void announce(Announcer &announcer, const QString &message)
{
    auto *notice = new QWidget(&announcer);
    notice->setAccessibleName(message);
    notice->setGeometry(0, 0, 0, 0);
    notice->show();
    const QObjectList notices = announcer.children(); // oldest first
    const Unheard unheard; // its reader is long done with it
    for (qsizetype i = 0; i + KeptNotices < notices.size(); ++i)
        delete notices[i];
}

#endif

} // namespace

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    prepare();
    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 0, 0); // nothing to draw, nothing to click; like any QWidget, no focus
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &Announcer::windowFocused);
}

void Announcer::say(const QString &message)
{
    if (message.isEmpty() || !QAccessible::isActive())
        return;
    m_waiting << message;
    if (!m_awaitingBox && window()->isActiveWindow())
        flush();
}

void Announcer::windowFocused(const QWindow *focused)
{
    if (!focused || (!m_awaitingBox && focused != window()->windowHandle()))
        return;
    m_awaitingBox = false;
    // From the event loop: the focus event of the window's activation goes out first.
    QTimer::singleShot(0, this, &Announcer::flush);
}

void Announcer::flush()
{
    for (const QString &message : std::as_const(m_waiting))
        announce(*this, message);
    m_waiting.clear();
}

} // namespace zumo
