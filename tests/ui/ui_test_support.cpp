// Helpers for the widget tests: modal boxes answered from their own loops, clicks, keys, games.
#include "ui_test_support.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace zumo::test {

std::optional<std::string> MapEnvironment::value(const char *name) const
{
    const auto it = variables.find(name);
    if (it == variables.end())
        return std::nullopt;
    return it->second;
}

float OrderedRandom::draw()
{
    const int index = m_next++ % CaseCount;
    return (static_cast<float>(index) + 0.5f) / static_cast<float>(CaseCount);
}

namespace answer {
void pressReturn(QMessageBox &box)
{
    QTest::keyClick(&box, Qt::Key_Return);
}
void pressEscape(QMessageBox &box)
{
    QTest::keyClick(&box, Qt::Key_Escape);
}
void clickYes(QMessageBox &box)
{
    QTest::mouseClick(box.button(QMessageBox::Yes), Qt::LeftButton);
}
void clickNo(QMessageBox &box)
{
    QTest::mouseClick(box.button(QMessageBox::No), Qt::LeftButton);
}
void clickOk(QMessageBox &box)
{
    QTest::mouseClick(box.button(QMessageBox::Ok), Qt::LeftButton);
}
void closeByFrame(QMessageBox &box)
{
    box.close();
}
void leaveOpen(QMessageBox &)
{ }
} // namespace answer

BoxScript::BoxScript()
{
    QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { poll(); });
    m_poll.start(2);
}

BoxScript::~BoxScript()
{
    m_poll.stop();
}

BoxScript &BoxScript::then(Answer answer)
{
    m_answers.push_back(std::move(answer));
    return *this;
}

BoxScript &BoxScript::then(int times, const Answer &answer)
{
    for (int i = 0; i < times; ++i)
        then(answer);
    return *this;
}

void BoxScript::poll()
{
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box || !box->isVisible())
        return;
    if (box == m_current) {
        if (m_openFor.elapsed() > 30000) {
            ADD_FAILURE() << "box left open for 30 s: " << box->text().toStdString();
            box->reject();
        }
        return;
    }
    m_current = box;
    m_openFor.start();
    m_seen.push_back({ box->windowTitle(), box->text(), box->textFormat(), box->icon(),
        box->standardButtons(), box->standardButton(box->defaultButton()),
        box->isModal() && box->windowModality() == Qt::ApplicationModal,
        box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->textFormat() });
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected box: " << box->text().toStdString();
        box->reject();
        return;
    }
    const Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    answer(*box);
}

QColor expectedColour(Colour colour)
{
    if (colour == ButtonText)
        return QApplication::palette().color(QPalette::ButtonText);
    if (colour == ButtonFace)
        return QApplication::palette().color(QPalette::Window);
    return QColor(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
        static_cast<int>((colour >> 16) & 0xFF));
}

void expectDrawnAsDesigned(const QLabel *label, const design::LabelDesign &design, QRect box)
{
    ASSERT_NE(label, nullptr);
    SCOPED_TRACE(label->objectName().toStdString());
    EXPECT_EQ(label->geometry(), box);
    const QFont font = label->font();
    EXPECT_EQ(font.families().value(0).toStdString(), design.Font.name);
    EXPECT_TRUE(font.families().contains(QFontInfo(font).family()))
        << "fell back to " << QFontInfo(font).family().toStdString();
    EXPECT_EQ(font.pixelSize(), design::pixelSize(design.Font.points));
    EXPECT_EQ(font.bold(), design.Font.bold);
    EXPECT_EQ(font.italic(), design.Font.italic);
    EXPECT_EQ(font.underline(), design.Font.underline);
    EXPECT_EQ(label->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    EXPECT_EQ(label->textFormat(), Qt::PlainText);
    EXPECT_TRUE(label->wordWrap());
    EXPECT_EQ(label->autoFillBackground(), design.opaque);
    EXPECT_EQ(label->palette().color(label->foregroundRole()), expectedColour(design.ForeColor));
    if (design.opaque) {
        EXPECT_EQ(
            label->palette().color(label->backgroundRole()), expectedColour(design.BackColor));
    }
}

void expectFrame(const QMainWindow *window, QSize client)
{
    const QWidget *central = window->centralWidget();
    const int menuHeight = window->menuBar()->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_EQ(central->geometry(), QRect(QPoint(0, menuHeight), client));
    EXPECT_EQ(window->size(), QSize(client.width(), client.height() + menuHeight));
    EXPECT_EQ(window->minimumSize(), window->size());
    EXPECT_EQ(window->maximumSize(), window->size());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zumo or No Zumo"));
    // The window is centred before its first show, when no frame is known yet (on X11 it comes
    // later from the window manager): it may be off by the frame's margins, never more.
    const QPoint offCentre
        = window->geometry().center() - window->screen()->availableGeometry().center();
    const QRect frame = window->frameGeometry();
    EXPECT_LE(std::abs(offCentre.x()), std::max(frame.width() - window->width(), 1));
    EXPECT_LE(std::abs(offCentre.y()), std::max(frame.height() - window->height(), 1));
}

QStringList menuListing(const QMainWindow *window)
{
    QStringList menus;
    for (const QAction *entry : window->menuBar()->actions()) {
        QStringList items;
        for (const QAction *item : entry->menu()->actions())
            items << item->text() + QLatin1Char(' ') + item->shortcut().toString();
        menus << entry->text() + QLatin1String(": ") + items.join(QLatin1String(", "));
    }
    return menus;
}

QAction *menuItem(const QMainWindow *window, const QString &text)
{
    for (const QAction *entry : window->menuBar()->actions()) {
        for (QAction *item : entry->menu()->actions()) {
            if (item->text() == text)
                return item;
        }
    }
    ADD_FAILURE() << "no menu item " << text.toStdString();
    return nullptr;
}

QLabel *label(const QWidget *window, const QString &name)
{
    auto *found = window->findChild<QLabel *>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}

QLabel *caseLabel(const frmViewer *board, int index)
{
    return label(board, QStringLiteral("lblCase(%1)").arg(index));
}

void click(QWidget *widget)
{
    QTest::mouseClick(widget, Qt::LeftButton);
}

void ctrlKey(QWidget *window, Qt::Key key)
{
    QTest::keyClick(window, key, Qt::ControlModifier);
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

void UiTest::SetUp()
{
    env.variables.try_emplace("NWUSERNAME", "player");
    nav = std::make_unique<Navigator>(env, random, [this] { ++programEnds; });
    nav->start();
    ASSERT_NE(lobby(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(lobby()));
}

void UiTest::TearDown()
{
    nav.reset();
    flushDeferredDeletes();
    QStringList left;
    for (const QWidget *w : QApplication::topLevelWidgets())
        left << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ')
                + w->objectName();
    EXPECT_TRUE(left.isEmpty()) << "top-level widgets leaked: "
                                << left.join(QLatin1String(", ")).toStdString();
}

frmMenu *UiTest::lobby() const
{
    return qobject_cast<frmMenu *>(nav->current());
}

frmViewer *UiTest::board() const
{
    return qobject_cast<frmViewer *>(nav->current());
}

frmViewer *UiTest::newGame()
{
    EXPECT_NE(lobby(), nullptr);
    ctrlKey(lobby(), Qt::Key_N);
    frmViewer *b = board();
    EXPECT_NE(b, nullptr);
    if (b) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(b));
    }
    return b;
}

void UiTest::playToTheSlide(int ownCase, int refusals, BoxScript &boxes)
{
    boxes.then(refusals, answer::clickNo);
    if (refusals < 8)
        boxes.then(answer::clickYes).then(answer::clickOk); // the offer, then "SOLD!"
    frmViewer *b = board();
    ASSERT_NE(b, nullptr);
    click(caseLabel(b, ownCase));
    for (int i = 0; i < CaseCount && !b->state().tmrMoveCase.Enabled; ++i) {
        if (i != ownCase)
            click(caseLabel(b, i));
    }
    ASSERT_TRUE(b->state().tmrMoveCase.Enabled);
}

int UiTest::tickUntilHandOver(frmViewer *b)
{
    int ticks = 0;
    while (board() == b && ticks < 1000) {
        b->tmrMoveCase_Timer();
        ++ticks;
    }
    return ticks;
}

} // namespace zumo::test
