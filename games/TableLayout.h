// SPDX-License-Identifier: MIT
#pragma once
#include "cards/CardPileView.h"

#include <QColor>
#include <QPoint>
#include <QString>
#include <vector>

// What a pile is for. The engine wires the gestures a role shares: a stock turns on
// a click, the space bar or the middle button; columns, cells and the waste send
// their top card home on a double-click or a Shift/Ctrl press.
// A discard pile takes cards off the table for good; like the foundations, it counts
// towards the score.
enum class PileRole { Stock, Waste, Column, Foundation, Discard, Cell, Holding, Place, Other };

// Where a view sits and how it fans its cards, at one card size.
struct Geometry {
    int left = 0, top = 0, width = 0, height = 0;
    float xOffset = 0.0f, yOffset = 0.0f;
    Geometry shifted(QPoint step, int times) const
    {
        Geometry moved = *this;
        moved.left += step.x() * times;
        moved.top += step.y() * times;
        return moved;
    }
};

enum ViewFlag : unsigned {
    Bordered = 1u << 0,
    Draggable = 1u << 1,        // AllowDrag
    Hidden = 1u << 2,           // a holding pile that keeps cards out of sight
    HiddenWhenEmpty = 1u << 3,  // lies over other views: shown only while it holds cards
    DelayedDrag = 1u << 4,      // DragDelayed
    SendsHome = 1u << 5,        // double-click and Shift/Ctrl press send the top card home
    PairsOff = 1u << 6,         // a card dropped here pairs with the top card: both go to the discard pile
    ClosesUp = 1u << 7,         // a fan too long for the view closes up to keep its top card inside
};

// One view of a table: its name, role, flags and its geometry for large and small
// cards. The small window is the same rows with the second geometry, so the two
// can never differ in anything but place and size.
struct PileViewRow {
    QString name;
    PileRole role = PileRole::Other;
    Geometry large;
    Geometry small;
    unsigned flags = 0;
    PileBitmap state = FS_BLANK;
    QColor color;  // invalid: the window's colour
};

// The rows of a table, written as the game's layout reads.
class TableLayout
{
public:
    TableLayout &pile(const QString &name, PileRole role, Geometry large, Geometry small, unsigned flags = 0,
                      PileBitmap state = FS_BLANK, QColor color = {});
    // Views prefix1 .. prefixN (numbering from `first`), each one step further.
    TableLayout &series(const QString &prefix, int count, PileRole role, Geometry large, QPoint largeStep,
                        Geometry small, QPoint smallStep, unsigned flags = 0, int first = 1);
    // Sets a property of the views added last by series() or pile().
    TableLayout &withState(PileBitmap state);

    const std::vector<PileViewRow> &rows() const { return allRows; }

private:
    std::vector<PileViewRow> allRows;
    std::size_t lastAdded = 0;
};
