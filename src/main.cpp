// Starts the game: its identity and icon, the lobby, then the board's fonts while the lobby waits.
#include "board/clock_random.h"
#include "shell/player_name.h"
#include "ui/board_window.h"
#include "ui/navigator.h"
#include "ui/release.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QImage>
#include <QTimer>
#include <QWindow>
#include <string>

namespace {

// The board draws in five fonts the lobby never uses. Loading them (fontconfig matching and
// fallback lists, FreeType faces, shaping plans, glyphs) was most of New Game's first frame
// (docs/PERFORMANCE.md). Drawing one board off screen leaves all of that in Qt's process-wide
// caches, where the first real board finds it. The board is never shown and dies here.
// Assistive technology hears nothing of that board: a screen reader would ask after its labels
// long after they are gone.
void prepareBoard(zumo::Navigation &nav, zumo::RandomSource &random)
{
    const zumo::Unheard unheard;
    const std::string noName;
    zumo::frmViewer board(nav, random, noName);
    board.adjustSize();
    QImage frame(board.size(), QImage::Format_RGB32); // what the X11 backing store draws into
    board.render(&frame);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zumo or No Zumo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zumo or No Zumo"));
    // Lets desktops match the windows to the installed .desktop file and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZUMO_APP_ID));
    // The resource comes with the zumo_resources target; without it the windows keep the default.
    const QString icon = QStringLiteral(":/zumo/icon-32.png");
    if (QFile::exists(icon))
        QApplication::setWindowIcon(QIcon(icon));

    zumo::ProcessEnvironment environment;
    zumo::ClockRandom random;
    zumo::Navigator navigator(environment, random, [] { QCoreApplication::quit(); });
    navigator.start();

    // Not before the lobby's first frame, which would wait for it: the first time the event loop
    // has nothing to do while the lobby is exposed, that frame has been painted.
    QMetaObject::Connection idle;
    idle = QObject::connect(
        QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &app, [&] {
            const QWidget *lobby = navigator.current();
            if (!lobby || !lobby->windowHandle() || !lobby->windowHandle()->isExposed())
                return;
            QObject::disconnect(idle);
            QTimer::singleShot(0, &app, [&] { prepareBoard(navigator, random); });
        });
    const int status = QApplication::exec();
    zumo::releaseAll();
    return status;
}
