// A thousand games started and abandoned: every QObject made for them goes, and the memory too.
#include "ui_test_support.h"

#include <QApplication>
#include <fstream>
#include <iostream>
#include <malloc.h>
#include <map>
#include <mutex>
#include <string>
#include <unordered_set>

#if defined(__SANITIZE_ADDRESS__)
#define ZUMO_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ZUMO_UNDER_ASAN 1
#endif
#endif

// The hooks Qt keeps for object inspectors, as QtCore exports them: called from the constructor
// and the destructor of every QObject, parented or not, whatever module made it.
QT_BEGIN_NAMESPACE
namespace QHooks {
enum HookIndex { HookDataVersion = 0, HookDataSize = 1, AddQObject = 3, RemoveQObject = 4 };
}
extern Q_CORE_EXPORT quintptr qtHookData[];
QT_END_NAMESPACE

namespace zumo::test {
namespace {

// Every QObject alive that was made while the census ran. Counting through the hooks sees what a
// walk of the widget trees would miss: timers, actions or shortcuts left without a parent.
class ObjectCensus
{
public:
    ObjectCensus()
        : m_previousAdd(qtHookData[QHooks::AddQObject])
        , m_previousRemove(qtHookData[QHooks::RemoveQObject])
    {
        s_census = this;
        qtHookData[QHooks::AddQObject] = reinterpret_cast<quintptr>(&added);
        qtHookData[QHooks::RemoveQObject] = reinterpret_cast<quintptr>(&removed);
    }
    ~ObjectCensus()
    {
        qtHookData[QHooks::AddQObject] = m_previousAdd;
        qtHookData[QHooks::RemoveQObject] = m_previousRemove;
        s_census = nullptr;
    }
    ObjectCensus(const ObjectCensus &) = delete;
    ObjectCensus &operator=(const ObjectCensus &) = delete;

    static bool available()
    {
        return qtHookData[QHooks::HookDataVersion] >= 1
            && qtHookData[QHooks::HookDataSize] > QHooks::RemoveQObject
            && !qtHookData[QHooks::AddQObject] && !qtHookData[QHooks::RemoveQObject];
    }

    std::size_t size() const
    {
        const std::lock_guard lock(m_mutex);
        return m_live.size();
    }

    // How many of each class are alive, by class name.
    std::map<std::string, int> byClass() const
    {
        const std::lock_guard lock(m_mutex);
        std::map<std::string, int> classes;
        for (const QObject *o : m_live)
            ++classes[o->metaObject()->className()];
        return classes;
    }

private:
    static void added(QObject *o)
    {
        const std::lock_guard lock(s_census->m_mutex);
        s_census->m_live.insert(o);
    }
    static void removed(QObject *o)
    {
        const std::lock_guard lock(s_census->m_mutex);
        s_census->m_live.erase(o);
    }

    static inline ObjectCensus *s_census = nullptr;
    quintptr m_previousAdd;
    quintptr m_previousRemove;
    mutable std::mutex m_mutex;
    std::unordered_set<QObject *> m_live;
};

// What the process holds, not what the allocator keeps for later: glibc serves a freed 2 MB
// backing store from the heap once it has seen one, and that heap block then stays resident.
long residentKiB()
{
    malloc_trim(0);
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    }
    return -1;
}

// "QTimer +1000, QAction -2": the classes whose number of live objects changed.
std::string difference(const std::map<std::string, int> &before, std::map<std::string, int> after)
{
    for (const auto &[name, n] : before)
        after[name] -= n;
    std::string out;
    for (const auto &[name, delta] : after) {
        if (delta != 0)
            out += name + (delta > 0 ? " +" : " ") + std::to_string(delta) + ", ";
    }
    return out;
}

class Cycles : public UiTest
{
protected:
    // New Game, the player's case and one opened case (every label redrawn), Return to Lobby.
    void cycle()
    {
        ASSERT_TRUE(QTest::qWaitForWindowActive(lobby()));
        ctrlKey(lobby(), Qt::Key_N);
        frmViewer *b = board();
        ASSERT_NE(b, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(b));
        click(caseLabel(b, 0));
        click(caseLabel(b, 1));
        ASSERT_EQ(b->state().openedTotal, 1);
        ctrlKey(b, Qt::Key_R);
        ASSERT_NE(lobby(), nullptr);
        flushDeferredDeletes();
    }
};

// A board or lobby that leaves one object or a few kilobytes behind would add up over an evening.
TEST_F(Cycles, aThousandNewGameAndReturnToLobbyCyclesGiveBackEveryQObjectAndTheMemory)
{
    if (!ObjectCensus::available())
        GTEST_SKIP() << "QtCore's object hooks are missing or taken";
    ObjectCensus census;
    // The first games make what Qt creates once and keeps (styles, fonts, caches).
    for (int i = 0; i < 50; ++i)
        ASSERT_NO_FATAL_FAILURE(cycle()) << "warm-up " << i;
    const std::size_t before = census.size();
    const auto classesBefore = census.byClass();
    const long residentBefore = residentKiB();

    for (int i = 0; i < 1000; ++i)
        ASSERT_NO_FATAL_FAILURE(cycle()) << "cycle " << i;

    EXPECT_EQ(census.size(), before) << difference(classesBefore, census.byClass());
    const long grown = residentKiB() - residentBefore;
    std::cout << "[          ] " << before << " QObjects before and after; resident set "
              << residentBefore << " KiB, grown by " << grown << " KiB\n";
#ifndef ZUMO_UNDER_ASAN
    EXPECT_LT(grown, 1024);
#endif
}

} // namespace
} // namespace zumo::test
