// SPDX-License-Identifier: MIT
// The yardstick of the start-up benchmark: the least a Qt Widgets program does to
// show a window, with the same first-paint report as the program's.
#include "platform/FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(329, 241);
    FirstPaint::whenPainted(&window, [] { FirstPaint::reportAndExit(); });
    window.show();
    return QApplication::exec();
}
