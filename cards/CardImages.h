// SPDX-License-Identifier: MIT
#pragma once
#include "cards/Card.h"

class ImageList;

// The one owner of the pictures every card and pile view draws from: the faces and
// the joker, the backs, and the pile marks, all at one card size at a time. Each
// picture is drawn when first shown; a change of size lets the other size's go.
namespace CardImages {

void load(CardSize size);  // nothing when that size is loaded already, for the screen's density
void release();             // the next use loads the current size again
bool isLoaded();
CardSize loadedSize();

ImageList *faces();      // 52 faces and the joker, by 13 x suit + value
ImageList *backs();      // the built-in backs, and a custom one when the player chose it
ImageList *pileMarks();  // the recycle mark and the empty-pile cross

// How often a set was made, so a test can tell that nothing was made again.
// A set is made at once; its pictures are drawn as they are first needed.
int loadCount();

}  // namespace CardImages
