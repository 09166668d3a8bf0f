// Helpers for the widget tests: modal boxes answered from their own loops, design checks, games.
#include "ui_test_support.h"

#include "ui/classic_colours.h"
#include "ui/desktop.h"

#include <QAccessible>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zumo::test {

std::optional<std::string> MapEnvironment::value(const char *name) const
{
    const auto it = variables.find(name);
    return it == variables.end() ? std::nullopt : std::optional(it->second);
}

BoxScript::BoxScript()
{
    QObject::connect(&m_poll, &QTimer::timeout, &m_poll, [this] { poll(); });
    m_poll.start(2);
}

BoxScript &BoxScript::then(Answer answer, int times)
{
    for (int i = 0; i < times; ++i)
        m_answers.push_back(answer);
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
    m_seen.push_back({ box->windowTitle(), box->text(), box->icon(), box->standardButtons(),
        box->standardButton(box->defaultButton()), box->windowModality() == Qt::ApplicationModal,
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

QString fromView(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel *label(const QWidget *window, std::string_view name)
{
    auto *found = window->findChild<QLabel *>(fromView(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

QLabel *caseLabel(const frmViewer *board, int index)
{
    return label(board, "lblCase(" + std::to_string(index) + ")");
}

QLabel *valueLabel(const frmViewer *board, int index)
{
    return label(board, "lblValues(" + std::to_string(index) + ")");
}

QRect pixelBox(float left, float top, float width, float height)
{
    return QRect(
        design::pixels(left), design::pixels(top), design::pixels(width), design::pixels(height));
}

std::vector<int> commandPixelSizes(const frmMenu *lobby)
{
    std::vector<int> sizes;
    for (const auto name : design::LobbyCommandLabels)
        sizes.push_back(label(lobby, name)->font().pixelSize());
    return sizes;
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
    const int menuHeight = window->menuBar()->height();
    EXPECT_GT(menuHeight, 0);
    EXPECT_FALSE(window->menuBar()->isNativeMenuBar()); // a global menu bar would take it away
    EXPECT_EQ(window->centralWidget()->geometry(), QRect(QPoint(0, menuHeight), client));
    EXPECT_EQ(window->size(), client + QSize(0, menuHeight));
    EXPECT_EQ(window->minimumSize(), window->size());
    EXPECT_EQ(window->maximumSize(), window->size());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zumo or No Zumo"));
    if (desktop::programPlacesWindows()) {
        // Centred before the first show, when no frame is known yet (on X11 it comes later from
        // the window manager): off by the frame's margins at most.
        const QPoint off
            = window->geometry().center() - window->screen()->availableGeometry().center();
        const QSize margins = window->frameGeometry().size() - window->size();
        EXPECT_LE(std::abs(off.x()), std::max(margins.width(), 1));
        EXPECT_LE(std::abs(off.y()), std::max(margins.height(), 1));
    } else {
        EXPECT_FALSE(window->testAttribute(Qt::WA_Moved)) << "placed by the program";
    }
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

void pressAction(QObject *object)
{
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(object);
    ASSERT_TRUE(a && a->actionInterface()) << object->objectName().toStdString();
    const QStringList actions = a->actionInterface()->actionNames();
    ASSERT_EQ(actions.value(0), QAccessibleActionInterface::pressAction())
        << object->objectName().toStdString();
    a->actionInterface()->doAction(actions[0]);
    QCoreApplication::processEvents();
}

void flushDeferredDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

bool waitUntilShown(QWidget *window)
{
    if (desktop::programPlacesWindows())
        return QTest::qWaitForWindowActive(window);
    return QTest::qWaitForWindowExposed(window);
}

DarkScheme::DarkScheme()
    : m_before(QApplication::palette())
{
    // A run on a desktop with a dark scheme of its own (on-desktop.sh kde) keeps that one.
    if (qEnvironmentVariableIsSet("ZUMO_TEST_DARK_DESKTOP")) {
        EXPECT_LT(contrastRatio(Qt::black, m_before.color(QPalette::Window)), 4.5)
            << "the desktop's scheme is not dark";
        return;
    }
    QPalette dark = m_before;
    dark.setColor(QPalette::Window, QColor(32, 35, 38));
    dark.setColor(QPalette::Button, QColor(41, 44, 48));
    dark.setColor(QPalette::WindowText, QColor(252, 252, 252));
    dark.setColor(QPalette::ButtonText, QColor(252, 252, 252));
    dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents(); // windows hear of it through a posted event
}

DarkScheme::~DarkScheme()
{
    QApplication::setPalette(m_before);
    QCoreApplication::processEvents();
}

double drawnContrast(const QImage &drawn, const QLabel *label)
{
    const QRect box(label->mapTo(label->window(), QPoint()), label->size());
    const QColor face = drawn.pixelColor(box.bottomLeft());
    double most = 1;
    for (int y = box.top(); y <= box.bottom(); ++y) {
        for (int x = box.left(); x <= box.right(); ++x)
            most = std::max(most, contrastRatio(drawn.pixelColor(x, y), face));
    }
    return most;
}

void UiTest::SetUp()
{
    env.variables.try_emplace("NWUSERNAME", "player");
    nav = std::make_unique<Navigator>(env, random, [this] { ++programEnds; });
    nav->start();
    ASSERT_NE(lobby(), nullptr);
    ASSERT_TRUE(waitUntilShown(lobby()));
}

void UiTest::TearDown()
{
    nav.reset();
    flushDeferredDeletes();
    QStringList left;
    for (const QWidget *w : QApplication::topLevelWidgets())
        left << QString::fromLatin1(w->metaObject()->className());
    EXPECT_TRUE(left.isEmpty()) << "top-level widgets leaked: " << left.join(u' ').toStdString();
}

frmViewer *UiTest::newGame()
{
    ctrlKey(lobby(), Qt::Key_N);
    frmViewer *b = board();
    EXPECT_TRUE(b && waitUntilShown(b));
    return b;
}

void UiTest::playToTheSlide(int ownCase, int refusals, BoxScript &boxes)
{
    boxes.then(answer::clickNo, refusals);
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
    EXPECT_EQ(boxes.unused(), 0u);
}

void UiTest::playFirstStage(frmViewer *b)
{
    click(caseLabel(b, 24));
    for (int i = 0; i < 6; ++i)
        click(caseLabel(b, i));
}

int UiTest::tickUntilHandOver(frmViewer *b)
{
    int ticks = 0;
    for (; board() == b && ticks < 1000; ++ticks)
        b->tmrMoveCase_Timer();
    return ticks;
}

} // namespace zumo::test
