// SPDX-License-Identifier: MIT
// Draws the program's icon at each size asked for and writes it where a desktop
// icon theme keeps it: DIR/<N>x<N>/apps/cardenza.png.
#include "tools/icons/ProgramIcon.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.size() < 2) {
        err << "Usage: cardenza-icons DIR SIZE...\n";
        return 2;
    }
    for (const QString &text : args.mid(1)) {
        bool ok = false;
        const int size = text.toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            err << "Not an icon size: " << text << "\n";
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[0]).arg(size);
        const QString file = folder + QStringLiteral("/cardenza.png");
        if (!QDir().mkpath(folder) || !programIcon(size).save(file)) {
            err << "Cannot write " << file << "\n";
            return 1;
        }
    }
    return 0;
}
