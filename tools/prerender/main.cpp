// SPDX-License-Identifier: MIT
// Draws the program's pictures and animation frames ahead of time, at the ratios
// given, as DIR/NAME.png (ratio 1), DIR/NAME@<ratio>x.png and DIR/NAME-01.png...:
// the program reads them instead of drawing them when it starts, opens a game or
// celebrates a win. What the program would draw itself is what is written here.
#include "resources/Resources.h"

#include <QDir>
#include <QGuiApplication>
#include <QTextStream>

static bool save(const QImage &picture, const QString &file)
{
    if (picture.save(file))
        return true;
    QTextStream(stderr) << "Cannot write " << file << "\n";
    return false;
}

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
            if (!save(Resources::draw(name, ratio), QDir(args[0]).filePath(Resources::pictureFileName(name, ratio))))
                return 1;
        }
        for (const QString &name : Resources::videoNames()) {
            const QList<QImage> frames = Resources::drawFrames(name, ratio);
            for (int i = 0; i < frames.size(); ++i) {
                if (!save(frames[i], QDir(args[0]).filePath(Resources::videoFrameFileName(name, i, ratio))))
                    return 1;
            }
        }
    }
    return 0;
}
