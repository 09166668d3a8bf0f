// QMessageBox set up the one safe way: no static helpers, plain text, no parent.
#include "message_box.h"

#include "design.h"
#include "desktop.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <algorithm>

namespace zumo {

namespace {

// Runs box modally, then gives the activation back. A parentless box leaves that to the window
// manager; without one no window would be active, and menu shortcuts only work in an active window.
// On Wayland the compositor gives it back, and desktop::activate leaves it to it.
void run(QMessageBox &box)
{
    const QPointer<QWidget> before = QApplication::activeWindow();
    box.exec();
    if (QApplication::activeModalWidget())
        return; // a box further down the stack is still open and active
    QWidget *next = before && before->isVisible() ? before.data() : nullptr;
    if (!next) {
        // The window that opened the box may have been unloaded meanwhile: the one shown instead.
        const auto windows = QApplication::topLevelWidgets();
        const auto it = std::find_if(windows.begin(), windows.end(),
            [](const QWidget *w) { return w->isVisible() && w->windowType() == Qt::Window; });
        next = it != windows.end() ? *it : nullptr;
    }
    if (next)
        desktop::activate(*next);
}

} // namespace

void MessageBoxes::tell(const std::string &prompt)
{
    QMessageBox box(QMessageBox::NoIcon, toQString(GameTitle), QString(), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText); // the player's name comes from the environment
    box.setText(toQString(prompt));
    run(box);
}

bool MessageBoxes::askYesNo(const std::string &prompt)
{
    QMessageBox box(
        QMessageBox::NoIcon, toQString(GameTitle), QString(), QMessageBox::Yes | QMessageBox::No);
    box.setTextFormat(Qt::PlainText);
    box.setText(toQString(prompt));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    run(box);
    return box.clickedButton() == box.button(QMessageBox::Yes);
}

} // namespace zumo
