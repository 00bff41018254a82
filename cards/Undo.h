// SPDX-License-Identifier: MIT
#pragma once
#include <QList>

class QAction;
class TCard;
class TCardPile;
class TCardPileView;

// The undo list of a game window: records of which cards went from which view to
// which other view, taken back last-in first-out. It keeps the window's Undo item
// enabled exactly while records exist. A record whose source and target are the
// same view remembers a card turned face up in place.
class TCardUndo
{
public:
    TCardUndo();
    ~TCardUndo();
    TCardUndo(const TCardUndo &) = delete;
    TCardUndo &operator=(const TCardUndo &) = delete;

    void SetMenuItem(QAction *item);

    void AddPileMove(TCardPileView *source, TCardPileView *target, TCardPile *pile);
    void AddCardMove(TCardPileView *source, TCardPileView *target, TCard *card);
    void PeekLast();
    void UndoLast();
    void DropLast();
    void Clear();
    int Count() const { return static_cast<int>(sources.size()); }
    // The record at `index`, counted from the oldest.
    TCardPileView *SourceAt(int index) const { return sources.at(index); }
    TCardPileView *TargetAt(int index) const { return targets.at(index); }
    const TCardPile *PileAt(int index) const { return piles.at(index); }

    TCardPileView *LastSource = nullptr;
    TCardPileView *LastTarget = nullptr;
    TCardPile *LastPile = nullptr;

private:
    void append(TCardPileView *source, TCardPileView *target, TCardPile *pile);
    void checkConsistency() const;
    void enableItem(bool enabled);

    QList<TCardPileView *> sources;
    QList<TCardPileView *> targets;
    QList<TCardPile *> piles;
    QAction *menuItem = nullptr;
};
