// SPDX-License-Identifier: MIT
#pragma once
#include <QList>
#include <QString>

class TCard;
class TCardPileView;

// A card where it lies on the table, with the side it shows.
struct PlacedCard {
    TCard *card = nullptr;
    bool faceUp = false;
    bool operator==(const PlacedCard &) const = default;
};

// Everything a player can see of a table at one moment, and the counters behind it:
// each view's cards bottom to top (in the window's view order), the moves counted,
// the score, the game's own counters (passes, redeals left, ...), the caption and
// which option items are locked.
struct TableState {
    QList<QList<PlacedCard>> piles;
    int moves = 0;
    int score = 0;
    QList<int> fields;
    QString caption;
    QList<bool> locks;
    // The same cards in the same places, and the same counts: nothing was played.
    bool samePlay(const TableState &other) const
    {
        return piles == other.piles && moves == other.moves && fields == other.fields;
    }
    // The same cards on the table, wherever they lie.
    bool sameCards(const TableState &other) const;
};

// One record of the undo list: which cards went from which view to which.
struct JournalRecord {
    TCardPileView *source = nullptr;
    TCardPileView *target = nullptr;
    QList<TCard *> cards;
};

// One player's action: the records it booked and the table it left.
struct JournalEntry {
    QList<JournalRecord> records;
    TableState after;
    bool quiet = false;  // taken back without the undo sound
};

// The window's history since the table was dealt: a base table and the actions
// played on it, with a position among them. Undo steps the position back, redo
// forward; a new action drops whatever could have been redone.
class GameJournal
{
public:
    void rebase(const TableState &base);
    void push(JournalEntry entry);
    // The table at the current position.
    const TableState &current() const;
    const TableState &base() const { return start; }
    // The table before the newest action (only while canUndo()).
    const TableState &beforeNewest() const { return position > 1 ? entries[position - 2].after : start; }
    bool canUndo() const { return position > 0; }
    bool canRedo() const { return position < entries.size(); }
    // Steps back over the newest action and returns it; current() is then the table
    // before it.
    const JournalEntry &stepBack();
    // Steps forward over the next action and returns it.
    const JournalEntry &stepForward();
    int size() const { return static_cast<int>(entries.size()); }
    int at() const { return position; }
    const JournalEntry &entry(int index) const { return entries[index]; }
    // The table was changed by something that is no action (a test laying out a
    // position): the current table is taken as it now stands.
    void replaceCurrent(const TableState &state);
    // Restored from a saved game: a base, all entries and the position among them.
    void restore(const TableState &base, QList<JournalEntry> all, int at);

private:
    TableState start;
    QList<JournalEntry> entries;
    int position = 0;
};
