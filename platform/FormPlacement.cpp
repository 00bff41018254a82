// SPDX-License-Identifier: MIT
#include "platform/FormPlacement.h"

#include "platform/IniFile.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

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

std::optional<QRect> parseRect(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    int numbers[4];
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const qint64 width = qint64(numbers[2]) - numbers[0];
    const qint64 height = qint64(numbers[3]) - numbers[1];
    if (width <= 0 || height <= 0 || width > LargestWindowSide || height > LargestWindowSide)
        return std::nullopt;
    return QRect(numbers[0], numbers[1], int(width), int(height));
}

bool visibleOnSomeScreen(const QRect &rect)
{
    const QList<QScreen *> screens = QGuiApplication::screens();
    if (screens.isEmpty())
        return true;
    const QSize needed(qMin(VisibleWidth, rect.width()), qMin(VisibleHeight, rect.height()));
    for (const QScreen *screen : screens) {
        const QRect shown = rect.intersected(screen->geometry());
        if (shown.width() >= needed.width() && shown.height() >= needed.height())
            return true;
    }
    return false;
}

bool isResizable(const QWidget *window)
{
    return window->minimumSize() != window->maximumSize();
}

int readInt(const QString &file, const QString &section, const QString &key, int fallback)
{
    bool ok = false;
    const int value = IniFile::read(file, section, key, QString()).toInt(&ok);
    return ok ? value : fallback;
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
        const std::optional<QRect> normal =
            parseRect(IniFile::read(IniFileName, IniSection, NormPosKey, QString()));
        if (normal && visibleOnSomeScreen(*normal))
            restoreGeometry(*normal);
    }
    if (Options.testFlag(fpState))
        restoreState();
}

// The position always; the size only where the player can change it.
void TFormPlacement::restoreGeometry(const QRect &normal)
{
    const QSize size = isResizable(window)
        ? normal.size().expandedTo(window->minimumSize()).boundedTo(window->maximumSize())
        : window->size();
    window->setGeometry(QRect(normal.topLeft(), size));
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
