// SPDX-License-Identifier: MIT
#include "platform/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace {
std::optional<int> widthOverride;
std::optional<int> colorsOverride;
std::optional<qreal> ratioOverride;
}  // namespace

namespace Screen {

int width()
{
    if (widthOverride)
        return *widthOverride;
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 1024;
}

int paletteColors()
{
    if (colorsOverride)
        return *colorsOverride > 256 ? -1 : *colorsOverride;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int depth = screen ? screen->depth() : 32;
    return depth > 8 ? -1 : 1 << depth;
}

// A top-level window on Linux gets its frame from the window manager, which says how
// large it is only once the window is shown; until then these sizes stand in.
int frameWidth() { return 0; }
int frameHeight() { return 0; }
int captionHeight() { return 0; }

int frameAndCaptionHeight(const QWidget &window)
{
    const QWindow *handle = window.windowHandle();
    if (!window.isVisible() || !handle)
        return captionHeight() + 2 * frameHeight();
    const QMargins frame = handle->frameMargins();
    return frame.top() + frame.bottom();
}

void overrideWidth(std::optional<int> value) { widthOverride = value; }
void overrideColors(std::optional<int> value) { colorsOverride = value; }
void overridePictureRatio(std::optional<qreal> value) { ratioOverride = value; }

qreal pictureRatio()
{
    if (ratioOverride)
        return *ratioOverride;
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

}  // namespace Screen
