// SPDX-License-Identifier: MIT
#pragma once
#include <optional>

// What the windows ask of the display: the primary screen's width, the number of
// colours, and the frame and caption sizes of a top-level window. Tests (and a
// curious player, with --screen-width / --screen-colors) can override the first two.
namespace Screen {

int width();
// -1 when the display shows more than 256 colours (high or true colour),
// otherwise the number of palette colours.
int paletteColors();
int frameWidth();     // sizing-frame width on each side of a window
int frameHeight();    // sizing-frame height above and below
int captionHeight();  // title bar height

void overrideWidth(std::optional<int> width);
void overrideColors(std::optional<int> colors);  // e.g. 256 for a palette display

}  // namespace Screen
