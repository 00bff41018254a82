// SPDX-License-Identifier: MIT
#include "games/TableLayout.h"

TableLayout &TableLayout::pile(const QString &name, PileRole role, Geometry large, Geometry small, unsigned flags,
                               PileBitmap state, QColor color)
{
    lastAdded = allRows.size();
    allRows.push_back({name, role, large, small, flags, state, color});
    return *this;
}

TableLayout &TableLayout::series(const QString &prefix, int count, PileRole role, Geometry large, QPoint largeStep,
                                 Geometry small, QPoint smallStep, unsigned flags, int first)
{
    const std::size_t start = allRows.size();
    for (int i = 0; i < count; ++i)
        allRows.push_back({prefix + QString::number(first + i), role, large.shifted(largeStep, i),
                           small.shifted(smallStep, i), flags, FS_BLANK, {}});
    lastAdded = start;
    return *this;
}

TableLayout &TableLayout::withState(PileBitmap state)
{
    for (std::size_t i = lastAdded; i < allRows.size(); ++i)
        allRows[i].state = state;
    return *this;
}
