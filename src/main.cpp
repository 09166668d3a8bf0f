// Starts the game: the application's identity and icon, then the lobby.
#include "board/clock_random.h"
#include "shell/player_name.h"
#include "ui/navigator.h"

#include <QApplication>
#include <QFile>
#include <QIcon>

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
    return QApplication::exec();
}
