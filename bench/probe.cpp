// Injected into each child of bench_game with LD_PRELOAD: plays the child's windows through the
// window system as a player would, and reports on a pipe when each awaited frame has been flushed.
#include "board/tables.h"
#include "protocol.h"
#include "ui/design.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace zumo::bench {

namespace {

// Between two actions: lets the last frame, hover and activation settle, so each timed action
// starts from an idle event loop, as a player's next click would.
constexpr int SettleMs = 30;
// The case the game is played with: the middle of the grid.
constexpr int OwnCase = 12;
// Openings in a whole game: all cases but the player's and the last one left with it.
constexpr int Openings = CaseCount - 2;
// Offers in a game where every one is refused.
constexpr int Offers = LastOfferStage;

// VmHWM (peak resident set) and RssAnon (private memory now), in KiB.
std::array<std::int64_t, 2> memoryKiB()
{
    std::array<std::int64_t, 2> kib { -1, -1 };
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        if (key == "VmHWM:")
            status >> kib[0];
        else if (key == "RssAnon:")
            status >> kib[1];
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return kib;
}

bool isBoard(const QWidget *window)
{
    return window->inherits("zumo::frmViewer");
}

bool isLobby(const QWidget *window)
{
    return window->inherits("zumo::frmMenu");
}

class Probe final : public QObject
{
public:
    Probe(int reportFd, bool game, bool slide)
        : QObject(QCoreApplication::instance())
        , m_reportFd(reportFd)
        , m_game(game)
        , m_slide(slide)
    {
        QCoreApplication::instance()->installEventFilter(this);
        afterFrame([](const QWidget *) { return true; },
            [this](QWidget *first) {
                report(StartupKey, monotonicNs(), memoryKiB());
                settleThen([this, first] { m_game ? newGame(first) : newWindow(first); });
            });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Paint:
            // Widgets paint only inside the repaint manager's paint-and-flush, so a call queued
            // from the first Paint of a window runs once that frame has been flushed.
            if (watched->isWidgetType())
                painted(static_cast<QWidget *>(watched)->window());
            break;
        case QEvent::Timer:
            if (watched == m_floorTimer
                || (m_game && qobject_cast<QTimer *>(watched)
                    && watched->objectName() == QLatin1String("tmrMoveCase")))
                m_ticks.push_back(monotonicNs());
            break;
        case QEvent::Hide:
            // The board starts its timer in the handler that closed the last offer's box, a few
            // microseconds later: the slide's duration is counted from here, never short.
            if (m_refused == Offers && m_slideStart == 0 && qobject_cast<QMessageBox *>(watched))
                m_slideStart = monotonicNs();
            break;
        case QEvent::MouseButtonRelease:
            // The floor's stand-in for a case that is opened: gone at the click.
            if (const auto it = std::find(m_floorCases.begin(), m_floorCases.end(), watched);
                it != m_floorCases.end())
                (*it)->hide();
            break;
        default:
            break;
        }
        return false;
    }

private:
    using WindowTest = std::function<bool(const QWidget *)>;
    using WindowStep = std::function<void(QWidget *)>;

    // next runs after the first frame, from now on, of a window that passes test.
    void afterFrame(WindowTest test, WindowStep next)
    {
        m_awaitedWindow = std::move(test);
        m_afterFrame = std::move(next);
    }

    void settleThen(std::function<void()> next) { QTimer::singleShot(SettleMs, this, next); }

    void painted(QWidget *window)
    {
        // QWidget::render() paints hidden windows too (the game prepares a board that way): they
        // make no frame.
        if (!window->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(window); box && box != m_answering) {
            m_answering = box;
            const auto answerLater = [this, box] { answer(box); };
            QMetaObject::invokeMethod(this, answerLater, Qt::QueuedConnection);
            return;
        }
        if (!m_awaitedWindow || !m_awaitedWindow(window))
            return;
        m_awaitedWindow = nullptr;
        QMetaObject::invokeMethod(
            this,
            [next = std::exchange(m_afterFrame, nullptr), w = QPointer<QWidget>(window)] {
                next(w.data());
            },
            Qt::QueuedConnection);
    }

    // The pointer moves onto target first, so that its hover repaint is not part of the click.
    void hoverThen(QWidget *target, std::function<void()> next)
    {
        QTest::mouseMove(target);
        settleThen(std::move(next));
    }

    // Times target's click (press and release) up to the first frame of its window after it,
    // which must show target gone.
    void timedClick(QWidget *target, std::function<void()> next)
    {
        hoverThen(target, [this, target = QPointer<QWidget>(target), next = std::move(next)] {
            const std::int64_t pressed = monotonicNs();
            QWidget *window = target->window();
            afterFrame([window](const QWidget *w) { return w == window; },
                [this, pressed, target, next](QWidget *) {
                    const std::int64_t shown = monotonicNs();
                    if (!target || target->isVisible())
                        fail(QStringLiteral("the frame after a click still shows the label"));
                    report(ClickKey, { shown - pressed });
                    settleThen(next);
                });
            QTest::mouseClick(target, Qt::LeftButton);
        });
    }

    // ---- the game: New Game on the real lobby, clicks on the real board, its real timer

    void newGame(QWidget *lobby)
    {
        auto *lblNew = lobby->findChild<QLabel *>(QStringLiteral("lblNew"));
        if (!lblNew)
            fail(QStringLiteral("no lblNew on the first window"));
        hoverThen(lblNew, [this, lblNew] {
            const std::int64_t clicked = monotonicNs();
            afterFrame(isBoard, [this, clicked](QWidget *board) {
                report(WindowKey, monotonicNs() - clicked, memoryKiB());
                m_board = board;
                settleThen([this] { chooseCase(); });
            });
            QTest::mouseClick(lblNew, Qt::LeftButton);
        });
    }

    QLabel *caseLabel(int index) const
    {
        auto *label = m_board
            ? m_board->findChild<QLabel *>(QStringLiteral("lblCase(%1)").arg(index))
            : nullptr;
        if (!label)
            fail(QStringLiteral("no case label %1 on the board").arg(index));
        return label;
    }

    void chooseCase()
    {
        QLabel *own = caseLabel(OwnCase);
        hoverThen(own, [this, own] {
            afterFrame(isBoard, [this](QWidget *) { settleThen([this] { openCase(0, 0); }); });
            QTest::mouseClick(own, Qt::LeftButton);
        });
    }

    // Opens the case at index and goes on with the next one; the first TimedClicks are timed.
    void openCase(int index, int opened)
    {
        if (index == OwnCase)
            ++index;
        if (opened == TimedClicks && !m_slide)
            return finish();
        if (opened == Openings)
            return; // the slide is running; the closing box goes on from there
        QLabel *label = caseLabel(index);
        const auto next = [this, index, opened] { openCase(index + 1, opened + 1); };
        if (opened < TimedClicks)
            return timedClick(label, next);
        // An offer's box opens inside this click and is answered from its own event loop.
        hoverThen(label, [this, label, next] {
            QTest::mouseClick(label, Qt::LeftButton);
            settleThen(next);
        });
    }

    void answer(QMessageBox *box)
    {
        if (!m_game || !m_slide)
            fail(QStringLiteral("a message box opened: ") + box->text());
        if (QAbstractButton *no = box->button(QMessageBox::No)) {
            ++m_refused; // before the click: the box hides inside it
            QTest::mouseClick(no, Qt::LeftButton);
            return;
        }
        // The closing message: the slide is over.
        reportSlide();
        afterFrame(isLobby, [this](QWidget *) { finish(); });
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    }

    // ---- the floor: the same steps with the least Qt can do for each

    void newWindow(QWidget *first)
    {
        using design::BoardClient, design::CaseLabel, design::pixels;
        const std::int64_t shown = monotonicNs();
        // The board's client area with case-sized boxes to be clicked away. Boxes, not labels:
        // the first text would load the font system, which the game did at start-up already.
        m_floorWindow = std::make_unique<QWidget>();
        m_floorWindow->resize(pixels(BoardClient.Width), pixels(BoardClient.Height));
        const QSize caseSize(pixels(CaseLabel.Width), pixels(CaseLabel.Height));
        for (std::size_t i = 0; i < m_floorCases.size(); ++i) {
            auto *box = new QWidget(m_floorWindow.get());
            box->setAutoFillBackground(true);
            box->setBackgroundRole(QPalette::Dark);
            box->setGeometry(
                QRect(QPoint(caseSize.width() * 2 * static_cast<int>(i) + 56, 128), caseSize));
            m_floorCases[i] = box;
        }
        QRect frame(QPoint(), m_floorWindow->size());
        frame.moveCenter(m_floorWindow->screen()->availableGeometry().center());
        m_floorWindow->move(frame.topLeft());
        afterFrame([w = m_floorWindow.get()](const QWidget *window) { return window == w; },
            [this, shown](QWidget *) {
                report(WindowKey, monotonicNs() - shown, memoryKiB());
                settleThen([this] { clickFloorCase(0); });
            });
        m_floorWindow->show();
        m_floorWindow->activateWindow();
        first->hide();
    }

    void clickFloorCase(std::size_t index)
    {
        if (index == m_floorCases.size())
            return m_slide ? runFloorTimer() : finish();
        timedClick(m_floorCases[index], [this, index] { clickFloorCase(index + 1); });
    }

    void runFloorTimer()
    {
        m_floorTimer = new QTimer(this);
        m_floorTimer->setTimerType(Qt::PreciseTimer);
        m_floorTimer->setInterval(TickMs);
        connect(m_floorTimer, &QTimer::timeout, this, [this] {
            if (m_ticks.size() < SlideTicks)
                return;
            m_floorTimer->stop();
            reportSlide();
            finish();
        });
        m_slideStart = monotonicNs();
        m_floorTimer->start();
    }

    // ---- reporting

    void reportSlide()
    {
        if (m_ticks.empty() || m_slideStart == 0)
            fail(QStringLiteral("the slide never started"));
        std::int64_t largestGap = m_ticks.front() - m_slideStart;
        for (std::size_t i = 1; i < m_ticks.size(); ++i)
            largestGap = std::max(largestGap, m_ticks[i] - m_ticks[i - 1]);
        report(SlideKey,
            { m_ticks.back() - m_slideStart, largestGap,
                static_cast<std::int64_t>(m_ticks.size()) });
    }

    void finish()
    {
        m_floorWindow.reset();
        QCoreApplication::quit();
    }

    void report(const char *key, std::int64_t time, std::array<std::int64_t, 2> memory) const
    {
        report(key, { time, memory[0], memory[1] });
    }

    void report(const char *key, std::initializer_list<std::int64_t> values) const
    {
        std::string line = key;
        for (const std::int64_t v : values)
            line += ' ' + std::to_string(v);
        line += '\n';
        write(line);
    }

    [[noreturn]] void fail(const QString &why) const
    {
        write(std::string(ErrorKey) + ' ' + why.toStdString() + '\n');
        _exit(2);
    }

    void write(const std::string &line) const
    {
        // One write() per line: the parent never sees half a line from a child that dies.
        if (::write(m_reportFd, line.data(), line.size()) != static_cast<ssize_t>(line.size()))
            _exit(3);
    }

    const int m_reportFd;
    const bool m_game;
    const bool m_slide;

    WindowTest m_awaitedWindow;
    WindowStep m_afterFrame;
    QPointer<QMessageBox> m_answering;

    QPointer<QWidget> m_board;
    int m_refused = 0;

    std::unique_ptr<QWidget> m_floorWindow;
    std::array<QWidget *, TimedClicks> m_floorCases {};
    QTimer *m_floorTimer = nullptr;

    std::int64_t m_slideStart = 0;
    std::vector<std::int64_t> m_ticks;
};

void installProbe()
{
    const QByteArray script = qgetenv(ScriptVariable);
    if (script.isEmpty())
        return;
    bool ok = false;
    const int fd = qEnvironmentVariableIntValue(ReportFdVariable, &ok);
    if (!ok || (script != GameScript && script != FloorScript))
        qFatal("%s and %s must name a script and a descriptor", ScriptVariable, ReportFdVariable);
    new Probe(fd, script == GameScript, qEnvironmentVariableIntValue(SlideVariable) == 1);
}

Q_COREAPP_STARTUP_FUNCTION(installProbe)

} // namespace

} // namespace zumo::bench
