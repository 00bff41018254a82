// SPDX-License-Identifier: MIT
#include "resources/Resources.h"

#include "resources/Providers.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QHash>

#include <algorithm>

// The font our art draws its letters with travels inside the program; it is
// registered once, at first use.
static QString registerArtFont()
{
    Q_INIT_RESOURCE(fonts);
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/CardFont-Bold.ttf"));
    return QFontDatabase::applicationFontFamilies(id).value(0, QStringLiteral("DejaVu Sans"));
}

namespace {

QHash<QString, QImage> &bitmapCache()
{
    static QHash<QString, QImage> cache;
    return cache;
}

std::optional<QImage> renderBitmap(const QString &upper)
{
    if (auto image = CardArt::render(upper))
        return image;
    if (auto image = ShellArt::render(upper))
        return image;
    return PreviewArt::render(upper);
}

QString pictureFileName(const QString &name) { return name + QStringLiteral(".png"); }

}  // namespace

namespace Resources {

const QString &fontFamily()
{
    static const QString family = registerArtFont();
    return family;
}

QImage bitmap(const QString &name)
{
    const QString upper = name.toUpper();
    auto &cache = bitmapCache();
    if (auto found = cache.constFind(upper); found != cache.constEnd())
        return *found;
    const std::optional<QImage> image = renderBitmap(upper);
    if (!image || image->isNull())
        throw MissingResource("no picture resource named " + name.toStdString());
    cache.insert(upper, *image);
    return *image;
}

bool hasBitmap(const QString &name)
{
    const QString upper = name.toUpper();
    const QStringList all = bitmapNames();
    return std::any_of(all.begin(), all.end(), [&](const QString &n) { return n.toUpper() == upper; });
}

QByteArray wave(const QString &name)
{
    static QHash<QString, QByteArray> cache;
    const QString upper = name.toUpper();
    if (auto found = cache.constFind(upper); found != cache.constEnd())
        return *found;
    const std::optional<QByteArray> data = Waves::render(upper);
    if (!data || data->isEmpty())
        throw MissingResource("no wave resource named " + name.toStdString());
    cache.insert(upper, *data);
    return *data;
}

QList<QImage> frames(const QString &name)
{
    static QHash<QString, QList<QImage>> cache;
    const QString upper = name.toUpper();
    if (auto found = cache.constFind(upper); found != cache.constEnd())
        return *found;
    const std::optional<QList<QImage>> video = WinVideo::render(upper);
    if (!video || video->isEmpty())
        throw MissingResource("no video resource named " + name.toStdString());
    cache.insert(upper, *video);
    return *video;
}

QStringList bitmapNames() { return CardArt::names() + ShellArt::names() + PreviewArt::names(); }
QStringList waveNames() { return Waves::names(); }
QStringList videoNames() { return WinVideo::names(); }

int exportAll(const QString &directory)
{
    QDir().mkpath(directory);
    const QDir dir(directory);
    int written = 0;
    for (const QString &name : bitmapNames())
        written += bitmap(name).save(dir.filePath(pictureFileName(name))) ? 1 : 0;
    for (const QString &name : waveNames()) {
        QFile file(dir.filePath(name + QStringLiteral(".wav")));
        if (file.open(QIODevice::WriteOnly) && file.write(wave(name)) > 0)
            ++written;
    }
    for (const QString &name : videoNames()) {
        const QList<QImage> video = frames(name);
        for (int i = 0; i < video.size(); ++i)
            written += video[i].save(dir.filePath(QStringLiteral("%1-%2.png").arg(name).arg(i + 1, 2, 10, QLatin1Char('0')))) ? 1 : 0;
    }
    return written;
}

}  // namespace Resources
