// Notices a screen reader reads as they appear: what a sighted player sees happen, in words.
#include "announcer.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QTimer>
#include <utility>

namespace zumo {

namespace {

QAccessibleInterface *accessibleAnnouncement(const QString &className, QObject *object)
{
    if (className == QLatin1String(Announcer::staticMetaObject.className()))
        return new QAccessibleWidget(static_cast<Announcer *>(object), QAccessible::StatusBar);
    if (object->isWidgetType() && qobject_cast<Announcer *>(object->parent()))
        return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::Notification);
    return nullptr;
}

// Orca reads a notice's name when it gets round to the event, showing or not: so a notice is
// hidden at once, not to linger where a reader reviews the window, but kept for many messages
// more, since a busy reader may take seconds (3.6 s seen under a sanitizer) and a deleted notice
// has no name.
constexpr qsizetype KeptNotices = 16;

} // namespace

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    // Interfaces are cached per object, so the factory must be in place before either is asked.
    static const bool accessible = [] {
        QAccessible::installFactory(accessibleAnnouncement);
        return true;
    }();
    Q_UNUSED(accessible);

    setObjectName(QStringLiteral("announcer"));
    setGeometry(0, 0, 0, 0); // nothing to draw, nothing to click; like any QWidget, no focus
    window()->installEventFilter(this);
}

void Announcer::say(const QString &message)
{
    if (message.isEmpty() || !QAccessible::isActive())
        return;
    m_waiting << message;
    if (window()->isActiveWindow())
        flush();
}

bool Announcer::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && !m_waiting.isEmpty())
        flush();
    return QWidget::eventFilter(watched, event);
}

void Announcer::flush()
{
    // A notice of its own for every message: a reader asks for the name after the event, when the
    // next message may already be out, and must still find this one.
    for (const QString &message : std::as_const(m_waiting)) {
        auto *notice = new QWidget(this);
        notice->setAccessibleName(message);
        notice->setGeometry(0, 0, 0, 0);
        notice->show();
        QTimer::singleShot(0, notice, &QWidget::hide);
    }
    m_waiting.clear();
    const QObjectList notices = children(); // oldest first
    for (qsizetype i = 0; i + KeptNotices < notices.size(); ++i)
        delete notices[i];
}

} // namespace zumo
