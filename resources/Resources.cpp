// SPDX-License-Identifier: MIT
#include "resources/Resources.h"

#include "resources/PixelRatio.h"
#include "resources/Providers.h"

#include "platform/Screen.h"

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

// Pictures are kept per name and device pixel ratio.
using PictureKey = std::pair<QString, qreal>;

QHash<PictureKey, QImage> &bitmapCache()
{
    static QHash<PictureKey, QImage> cache;
    return cache;
}

QHash<PictureKey, QList<QImage>> &frameCache()
{
    static QHash<PictureKey, QList<QImage>> cache;
    return cache;
}

std::optional<QImage> renderBitmap(const QString &upper, qreal ratio)
{
    if (auto image = CardArt::render(upper, ratio))
        return image;
    if (auto image = ShellArt::render(upper, ratio))
        return image;
    return PreviewArt::render(upper, ratio);
}

// "" at the ordinary density, "@2x" or "@1.5x" for denser screens.
QString ratioSuffix(qreal ratio)
{
    return ratio == 1.0 ? QString() : QStringLiteral("@%1x").arg(ratio);
}

QString &pictureFolder()
{
    static QString folder;
    return folder;
}

// A picture drawn at build time, when the program was given their folder; a missing
// or unreadable file gives nothing, and the picture is drawn instead.
QImage drawnAhead(const QString &upper, qreal ratio)
{
    if (pictureFolder().isEmpty())
        return QImage();
    QImage image(QDir(pictureFolder()).filePath(Resources::pictureFileName(upper, ratio)));
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(ratio);
    return image;
}

QString frameFileName(const QString &name, int index, qreal ratio)
{
    return QStringLiteral("%1-%2").arg(name).arg(index + 1, 2, 10, QLatin1Char('0')) + ratioSuffix(ratio)
           + QStringLiteral(".png");
}

// The frames drawn at build time, in order; nothing when the folder has none, or
// when one of them cannot be read (then all are drawn).
QList<QImage> framesDrawnAhead(const QString &upper, qreal ratio)
{
    QList<QImage> video;
    if (pictureFolder().isEmpty())
        return video;
    const QDir folder(pictureFolder());
    for (int index = 0; folder.exists(frameFileName(upper, index, ratio)); ++index) {
        QImage frame(folder.filePath(frameFileName(upper, index, ratio)));
        if (frame.isNull())
            return {};
        frame.setDevicePixelRatio(ratio);
        video.append(frame);
    }
    return video;
}

int exportWaves(const QDir &dir)
{
    int written = 0;
    for (const QString &name : Resources::waveNames()) {
        QFile file(dir.filePath(name + QStringLiteral(".wav")));
        if (file.open(QIODevice::WriteOnly) && file.write(Resources::wave(name)) > 0)
            ++written;
    }
    return written;
}

}  // namespace

namespace Resources {

const QString &fontFamily()
{
    static const QString family = registerArtFont();
    return family;
}

QImage bitmap(const QString &name, qreal ratio)
{
    const PictureKey key(name.toUpper(), PixelRatio::clamped(ratio));
    auto &cache = bitmapCache();
    if (auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    const QImage image = unkeptBitmap(key.first, key.second);
    cache.insert(key, image);
    return image;
}

QImage unkeptBitmap(const QString &name, qreal ratio)
{
    const QImage image = drawnAhead(name.toUpper(), PixelRatio::clamped(ratio));
    return image.isNull() ? draw(name, ratio) : image;
}

QImage draw(const QString &name, qreal ratio)
{
    const std::optional<QImage> image = renderBitmap(name.toUpper(), PixelRatio::clamped(ratio));
    if (!image || image->isNull())
        throw MissingResource("no picture resource named " + name.toStdString());
    return *image;
}

QImage bitmapForScreen(const QString &name) { return bitmap(name, Screen::pictureRatio()); }
QList<QImage> framesForScreen(const QString &name) { return frames(name, Screen::pictureRatio()); }

void usePictureFolder(const QString &directory) { pictureFolder() = directory; }

QString pictureFileName(const QString &name, qreal ratio)
{
    return name.toUpper() + ratioSuffix(PixelRatio::clamped(ratio)) + QStringLiteral(".png");
}

void releasePictures()
{
    bitmapCache().clear();
    frameCache().clear();
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

QList<QImage> frames(const QString &name, qreal ratio)
{
    auto &cache = frameCache();
    const PictureKey key(name.toUpper(), PixelRatio::clamped(ratio));
    if (auto found = cache.constFind(key); found != cache.constEnd())
        return *found;
    QList<QImage> video = framesDrawnAhead(key.first, key.second);
    if (video.isEmpty())
        video = drawFrames(key.first, key.second);
    cache.insert(key, video);
    return video;
}

QList<QImage> drawFrames(const QString &name, qreal ratio)
{
    const std::optional<QList<QImage>> video = WinVideo::render(name.toUpper(), PixelRatio::clamped(ratio));
    if (!video || video->isEmpty())
        throw MissingResource("no video resource named " + name.toStdString());
    return *video;
}

QString videoFrameFileName(const QString &name, int index, qreal ratio)
{
    return frameFileName(name.toUpper(), index, PixelRatio::clamped(ratio));
}

QStringList bitmapNames() { return CardArt::names() + ShellArt::names() + PreviewArt::names(); }
QStringList waveNames() { return Waves::names(); }
QStringList videoNames() { return WinVideo::names(); }

int exportAll(const QString &directory, qreal ratio)
{
    ratio = PixelRatio::clamped(ratio);
    QDir().mkpath(directory);
    const QDir dir(directory);
    int written = 0;
    for (const QString &name : bitmapNames())
        written += bitmap(name, ratio).save(dir.filePath(name + ratioSuffix(ratio) + QStringLiteral(".png"))) ? 1 : 0;
    if (ratio == 1.0)
        written += exportWaves(dir);
    for (const QString &name : videoNames()) {
        const QList<QImage> video = frames(name, ratio);
        for (int i = 0; i < video.size(); ++i)
            written += video[i].save(dir.filePath(frameFileName(name, i, ratio))) ? 1 : 0;
    }
    return written;
}

}  // namespace Resources
