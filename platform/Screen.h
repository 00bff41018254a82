// SPDX-License-Identifier: MIT
#pragma once
#include <QtGlobal>

#include <optional>

class QWidget;

// What the windows ask of the display: the primary screen's width, the number of
// colours, the density of its pixels, and the frame and caption sizes of a top-level
// window. Tests (and a curious player, with --screen-width / --screen-colors) can
// override the first two; tests, the third.
namespace Screen {

int width();
// -1 when the display shows more than 256 colours (high or true colour),
// otherwise the number of palette colours.
int paletteColors();
int frameWidth();     // sizing-frame width on each side of a window
int frameHeight();    // sizing-frame height above and below
int captionHeight();  // title bar height
// The height the frame and caption add to a top-level window's client height: what
// the window system reports for the shown window, before that the sizes above.
int frameAndCaptionHeight(const QWidget &window);
// Device pixels per logical pixel our pictures are drawn with: the highest ratio of
// the screens (2 on a high-density screen, 1.5 with a scale factor of 1.5).
qreal pictureRatio();

void overrideWidth(std::optional<int> width);
void overrideColors(std::optional<int> colors);  // e.g. 256 for a palette display
void overridePictureRatio(std::optional<qreal> ratio);

}  // namespace Screen
