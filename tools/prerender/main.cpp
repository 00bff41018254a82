// SPDX-License-Identifier: MIT
// Draws the program's pictures ahead of time, at the ratios given, as
// DIR/NAME.png (ratio 1) and DIR/NAME@<ratio>x.png: the program reads them instead
// of drawing them when it starts or opens a game. What the program would draw
// itself is exactly what is written here.
#include "resources/Resources.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.size() < 2) {
        err << "Usage: cardenza-prerender DIR RATIO...\n";
        return 2;
    }
    QList<qreal> ratios;
    for (const QString &text : args.mid(1)) {
        bool ok = false;
        const qreal ratio = text.toDouble(&ok);
        if (!ok || ratio < 1 || ratio > 4) {
            err << "Not a ratio from 1 to 4: " << text << "\n";
            return 2;
        }
        ratios << ratio;
    }
    if (!QDir().mkpath(args[0])) {
        err << "Cannot make " << args[0] << "\n";
        return 1;
    }
    for (qreal ratio : std::as_const(ratios)) {
        for (const QString &name : Resources::bitmapNames()) {
            const QString file = QDir(args[0]).filePath(Resources::pictureFileName(name, ratio));
            if (!Resources::draw(name, ratio).save(file)) {
                err << "Cannot write " << file << "\n";
                return 1;
            }
        }
    }
    return 0;
}
