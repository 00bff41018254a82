// SPDX-License-Identifier: MIT
#include "platform/FormPlacement.h"

#include "platform/IniFile.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include <algorithm>
#include <optional>

namespace {

constexpr int ShowNormal = 1;
constexpr int ShowMinimized = 2;
constexpr int ShowMaximized = 3;
constexpr int RestoreToMaximized = 2;
constexpr int LargestWindowSide = 100000;
// A restored window must show at least this much of itself on some screen.
constexpr int VisibleWidth = 64;
constexpr int VisibleHeight = 32;

const QString FlagsKey = QStringLiteral("Flags");
const QString ShowCmdKey = QStringLiteral("ShowCmd");
const QString MinMaxPosKey = QStringLiteral("MinMaxPos");
const QString NormPosKey = QStringLiteral("NormPos");

QString fourNumbers(int a, int b, int c, int d)
{
    return QString::asprintf("%d,%d,%d,%d", a, b, c, d);
}

// A saved rectangle in 64-bit numbers: its corners may be anywhere an int reaches,
// and Qt's own rectangle arithmetic overflows near the ends of that range.
struct SavedRect
{
    qint64 left = 0;
    qint64 top = 0;
    qint64 width = 0;
    qint64 height = 0;
};

std::optional<SavedRect> parseRect(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    qint64 numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const SavedRect rect{numbers[0], numbers[1], numbers[2] - numbers[0], numbers[3] - numbers[1]};
    if (rect.width <= 0 || rect.height <= 0 || rect.width > LargestWindowSide
        || rect.height > LargestWindowSide)
        return std::nullopt;
    return rect;
}

qint64 overlap(qint64 start, qint64 length, qint64 otherStart, qint64 otherLength)
{
    return std::min(start + length, otherStart + otherLength) - std::max(start, otherStart);
}

bool visibleOnSomeScreen(const SavedRect &rect)
{
    const qint64 neededWidth = std::min<qint64>(VisibleWidth, rect.width);
    const qint64 neededHeight = std::min<qint64>(VisibleHeight, rect.height);
    for (const QScreen *screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        if (overlap(rect.left, rect.width, area.x(), area.width()) >= neededWidth
            && overlap(rect.top, rect.height, area.y(), area.height()) >= neededHeight)
            return true;
    }
    return false;
}

// The start that brings a span of the given length inside the area, or as far in as
// it goes when it is longer than the area.
int clampedStart(qint64 start, int length, int areaStart, int areaLength)
{
    const qint64 last = qint64(areaStart) + areaLength - length;
    return int(std::max<qint64>(areaStart, std::min(start, last)));
}

bool isResizable(const QWidget *window)
{
    return window->minimumSize() != window->maximumSize();
}

// A window that lies on no screen comes back onto the primary screen's free area,
// frame and all, as near to where it was as it fits, and no larger than that area
// when it can shrink.
QRect onPrimaryScreen(const SavedRect &rect, QSize size, const QWidget *window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(QPoint(int(rect.left), int(rect.top)), size);
    const QMargins frame(window->geometry().left() - window->frameGeometry().left(),
                         window->geometry().top() - window->frameGeometry().top(),
                         window->frameGeometry().right() - window->geometry().right(),
                         window->frameGeometry().bottom() - window->geometry().bottom());
    const QRect area = screen->availableGeometry().marginsRemoved(frame);
    if (isResizable(window))
        size = size.boundedTo(area.size()).expandedTo(window->minimumSize());
    return QRect(clampedStart(rect.left, size.width(), area.x(), area.width()),
                 clampedStart(rect.top, size.height(), area.y(), area.height()), size.width(),
                 size.height());
}

int readInt(const QString &file, const QString &section, const QString &key, int fallback)
{
    bool ok = false;
    const int value = IniFile::read(file, section, key, QString()).toInt(&ok);
    return ok ? value : fallback;
}

// The position always; the size only where the player can change it.
void restoreGeometry(QWidget *window, const SavedRect &normal)
{
    const bool resizable = isResizable(window);
    const QSize size = resizable ? QSize(int(normal.width), int(normal.height))
                                       .expandedTo(window->minimumSize())
                                       .boundedTo(window->maximumSize())
                                 : window->size();
    const SavedRect wanted{normal.left, normal.top, size.width(), size.height()};
    if (visibleOnSomeScreen(wanted))
        window->setGeometry(QRect(QPoint(int(wanted.left), int(wanted.top)), size));
    else
        window->setGeometry(onPrimaryScreen(wanted, size, window));
}

}  // namespace

TFormPlacement::TFormPlacement(QWidget *window)
    : QObject(window)
    , window(window)
{
    window->installEventFilter(this);
}

bool TFormPlacement::canUseFile() const
{
    return Active && !IniFileName.isEmpty() && !IniSection.isEmpty();
}

bool TFormPlacement::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == window) {
        if (event->type() == QEvent::Show && !restored) {
            restored = true;
            RestoreFormPlacement();
        } else if (event->type() == QEvent::Hide && !event->spontaneous() && restored) {
            SaveFormPlacement();
        }
    }
    return QObject::eventFilter(watched, event);
}

void TFormPlacement::SaveFormPlacement()
{
    if (!canUseFile())
        return;
    const Qt::WindowStates state = window->windowState();
    const bool minimized = state.testFlag(Qt::WindowMinimized);
    const bool maximized = state.testFlag(Qt::WindowMaximized);
    const int showCmd = minimized ? ShowMinimized : maximized ? ShowMaximized : ShowNormal;
    const int flags = minimized && maximized ? RestoreToMaximized : 0;
    const QPoint maxPos = maximized ? window->frameGeometry().topLeft() : QPoint(-1, -1);
    QRect normal = window->normalGeometry();
    if (!normal.isValid())
        normal = window->geometry();

    IniFile::write(IniFileName, IniSection, FlagsKey, QString::number(flags));
    IniFile::write(IniFileName, IniSection, ShowCmdKey, QString::number(showCmd));
    IniFile::write(IniFileName, IniSection, MinMaxPosKey,
                   fourNumbers(-1, -1, maxPos.x(), maxPos.y()));
    IniFile::write(IniFileName, IniSection, NormPosKey,
                   fourNumbers(normal.left(), normal.top(), normal.left() + normal.width(),
                               normal.top() + normal.height()));
}

void TFormPlacement::RestoreFormPlacement()
{
    if (!canUseFile())
        return;
    if (Options.testFlag(fpPosition)) {
        const std::optional<SavedRect> normal =
            parseRect(IniFile::read(IniFileName, IniSection, NormPosKey, QString()));
        if (normal)
            restoreGeometry(window, *normal);
    }
    if (Options.testFlag(fpState))
        restoreState();
}

// A window closed while minimized opens normal (or maximized, when it was maximized
// before being minimized): opening a game as an icon would look like a failure.
void TFormPlacement::restoreState()
{
    const int showCmd = readInt(IniFileName, IniSection, ShowCmdKey, ShowNormal);
    const int flags = readInt(IniFileName, IniSection, FlagsKey, 0);
    const bool maximize = showCmd == ShowMaximized
        || (showCmd == ShowMinimized && (flags & RestoreToMaximized));
    if (maximize && isResizable(window))
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}
