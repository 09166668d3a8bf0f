// The frame both windows share: a fixed client area, the game title, labels from design tables.
#include "window_frame.h"

#include "classic_colours.h"
#include "label.h"
#include "shell/messages.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QWindow>

namespace zumo {

namespace {

// What the frame keeps true for as long as the window lives, whatever the desktop does to it.
class FrameKeeper final : public QObject
{
public:
    FrameKeeper(QMainWindow &window, QWidget &client)
        : QObject(&window)
        , m_window(window)
        , m_client(client)
    {
        window.installEventFilter(this);
        followDesktopColours();
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::ApplicationPaletteChange:
            // Qt sends this to windows only, before the window passes the new palette on to its
            // children: the client area is ready for it by then.
            followDesktopColours();
            break;
        case QEvent::Show:
            // Qt 6.4's own Wayland title bar asks the compositor at once: the size limits must be
            // gone before its answer, which already comes with the new size (mayGrow).
            if (m_window.windowHandle()) {
                connect(m_window.windowHandle(), &QWindow::windowStateChanged, this,
                    &FrameKeeper::mayGrow, Qt::UniqueConnection);
            }
            break;
        case QEvent::WindowStateChange:
            // Only once the window system says the window is back: until then the compositor
            // still holds it to the maximised size.
            if (!isLarge(m_window.windowState()))
                m_window.layout()->setSizeConstraint(QLayout::SetFixedSize);
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The design mixes fixed colours (black captions, white opened amounts, dark grey cases) with
    // the desktop's button face and text, and only reads on a light face. On a desktop whose face
    // it does not read on, the client area keeps the classic light one; menus and boxes still
    // follow the desktop. Where it reads, the desktop's colours stay, as the design has it.
    void followDesktopColours()
    {
        m_client.setPalette(
            designReadsOn(QGuiApplication::palette()) ? QPalette() : classicColours());
    }

    static bool isLarge(Qt::WindowStates state)
    {
        return state & (Qt::WindowMaximized | Qt::WindowFullScreen);
    }

    // Qt 6.4's own Wayland title bar offers a maximise button whatever the window's flags say,
    // and a compositor that maximises a window holds it to the size it gave: a window that kept
    // its fixed size would lose its connection, and the player the game. So while maximised the
    // window may grow; its client area keeps its size and place, since the layout is absolute.
    void mayGrow(Qt::WindowState state)
    {
        if (!isLarge(state))
            return;
        m_window.layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        m_window.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }

    QMainWindow &m_window;
    QWidget &m_client;
};

} // namespace

void buildFrame(QMainWindow &window, design::ClientArea area)
{
    window.setWindowTitle(toQString(GameTitle));
    auto *client = new QWidget(&window);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(design::pixels(area.Width), design::pixels(area.Height));
    // Transparent labels show the client area, not the window behind it, whose face may be the
    // desktop's dark one.
    client->setAutoFillBackground(true);
#ifdef Q_OS_WIN
    // A Windows reader speaks what has the focus as a window opens, where Orca names the window:
    // the client area, which holds the focus, says which window the player is in.
    client->setAccessibleName(window.windowTitle());
#endif
    window.setCentralWidget(client);
    // The client area holds the keyboard focus, drawing nothing, until a key moves it onto a
    // label. Orca 48 sees each key as the program does, not before it, and while its focus is on
    // a window it takes whatever has the focus after the key as focused all along, and says
    // nothing of it: the first label a player tabbed to went unspoken.
    client->setFocus();
    // The menu bar's height depends on style and font: let the layout add it to the client area
    // rather than hard-coding it, and fix the window at that size.
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);
    // A global menu bar would take the menus out of the window, and the client area with them.
    window.menuBar()->setNativeMenuBar(false);
    // A window that cannot grow offers no maximise button. X11 window managers read the flag;
    // Qt 6.4's own Wayland title bar draws the button whatever the flags say.
    window.setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    new FrameKeeper(window, *client); // a child of window
}

void createLabels(QWidget *client, std::span<const design::LabelDesign> designs)
{
    for (const auto &d : designs)
        new Label(d, client); // owned by client
}

PlayKey playKey(const QKeyEvent &event)
{
    if ((event.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return PlayKey::None;
    switch (event.key()) {
    case Qt::Key_Right:
        return PlayKey::Right;
    case Qt::Key_Left:
        return PlayKey::Left;
    case Qt::Key_Down:
        return PlayKey::Down;
    case Qt::Key_Up:
        return PlayKey::Up;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        return event.isAutoRepeat() ? PlayKey::None : PlayKey::Activate;
    case Qt::Key_V:
        return event.isAutoRepeat() ? PlayKey::None : PlayKey::ReadAmounts;
    default:
        return PlayKey::None;
    }
}

HeldKey::HeldKey()
{
    // The window's own activation is no move: the focus comes back to where it was.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *from, QWidget *to) {
        if (m_target && (from == m_target || (to && to->window() != m_target->window())))
            forget();
    });
}

void HeldKey::press(const QKeyEvent &event, QWidget *target)
{
    // X11 repeats a held key as a release and a press with one time stamp, which Qt now and then
    // takes for a real release and press: the press would take a new target. Keys made up
    // elsewhere (tests; the copies the accessibility bridge hands on) lack a scan code or a time.
    const bool repeat = event.isAutoRepeat()
        || (event.nativeScanCode() != 0 && event.timestamp() != 0
            && event.nativeScanCode() == m_released.nativeScanCode
            && event.timestamp() == m_released.timestamp);
    if (!repeat) {
        m_key = event.key();
        m_target = target;
    }
}

QWidget *HeldKey::release(const QKeyEvent &event, const QWidget *focus)
{
    m_released = { event.nativeScanCode(), event.timestamp() };
    if (event.isAutoRepeat() || event.key() != m_key)
        return nullptr;
    QWidget *target = m_target;
    forget();
    return target == focus ? target : nullptr;
}

void HeldKey::forget()
{
    m_key = 0;
    m_target = nullptr;
}

} // namespace zumo
