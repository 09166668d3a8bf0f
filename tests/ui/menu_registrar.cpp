// Stands in for a desktop's global menu on the session bus: it owns the registrar's name, which is
// what Qt looks for before it takes a window's menu bar out of the window, and accepts every menu.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusObjectPath>
#include <cstdio>

class Registrar final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.AppMenu.Registrar")

public Q_SLOTS:
    void RegisterWindow(uint, const QDBusObjectPath &) { }
    void UnregisterWindow(uint) { }
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Registrar registrar;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/com/canonical/AppMenu/Registrar"), &registrar,
            QDBusConnection::ExportAllSlots)
        || !bus.registerService(QStringLiteral("com.canonical.AppMenu.Registrar"))) {
        std::fprintf(stderr, "menu_registrar: %s\n", qPrintable(bus.lastError().message()));
        return 1;
    }
    std::puts("ready"); // the name is taken: windows created from now on see a global menu
    std::fflush(stdout);
    return QCoreApplication::exec();
}

#include "menu_registrar.moc"
