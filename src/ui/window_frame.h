// What both windows share: the fixed client area below the menu bar, the title, the menus.
#pragma once

#include "design.h"

#include <QKeySequence>
#include <QMainWindow>
#include <span>

class QMenu;

namespace zumo {

class Label;

// Makes window's central widget exactly area big and the window not resizable, titles it, and
// creates the labels of designs on that central widget.
void buildFrame(QMainWindow &window, design::ClientArea area);
std::vector<Label *> createLabels(QWidget *client, std::span<const design::LabelDesign> designs);

// Ctrl+letter, as the design's menu tables give every item.
inline QKeySequence ctrl(Qt::Key key)
{
    return QKeySequence(Qt::CTRL | key);
}

} // namespace zumo
