// SPDX-License-Identifier: MIT
// The common game window's journal: every player's action becomes one entry that
// undo takes back and redo plays again, whatever the game.
#include "games/GameWindow.h"

#include "games/PlayRecord.h"
#include "games/SolverHelp.h"
#include "shell/Sounds.h"
#include "shell/WinWindow.h"

// ---- the table as it stands ------------------------------------------------------------

TableState GameWindow::captureTable()
{
    TableState state;
    state.piles.reserve(views.size());
    for (const TCardPileView *view : views) {
        QList<PlacedCard> pile;
        pile.reserve(view->Cards->Count());
        for (int i = 0; i < view->Cards->Count(); ++i) {
            TCard *card = view->Cards->CardAt(i);
            pile.append({card, card->FaceUp});
        }
        state.piles.append(pile);
    }
    state.moves = MoveCount;
    state.score = Score;
    for (const StateField &field : stateFields())
        state.fields.append(field.get());
    state.caption = windowTitle();
    for (const QAction *item : optionItems())
        state.locks.append(!item->isEnabled());
    return state;
}

// Puts every card where the state has it, with its side, and sets the counters.
void GameWindow::applyTable(const TableState &state)
{
    for (int i = 0; i < views.size(); ++i) {
        TCardPile *cards = views[i]->Cards;
        cards->Empty(false);
        for (const PlacedCard &placed : state.piles.value(i)) {
            placed.card->FaceUp = placed.faceUp;
            cards->AddCard(placed.card);
        }
        views[i]->update();
    }
    MoveCount = state.moves;
    const QList<StateField> fields = stateFields();
    for (int i = 0; i < fields.size() && i < state.fields.size(); ++i)
        fields[i].set(state.fields[i]);
}

QList<QAction *> GameWindow::optionItems() const
{
    QList<QAction *> items;
    for (const OptionBinding &option : options)
        items.append(option.item);
    for (const ChoiceGroup &group : choices)
        items << group.items.whenTrue << group.items.whenFalse;
    return items;
}

// ---- booking actions -------------------------------------------------------------------

void GameWindow::startFromThisTable()
{
    rebaseJournal();
    Q_EMIT tableDealt();
}

void GameWindow::rebaseJournal()
{
    UndoList->Clear();
    bookedRecords = 0;
    pendingQuiet = false;
    journal.rebase(captureTable());
    updateHistoryItems();
}

// What was played since the last entry becomes an entry of its own, with the records
// it booked. Called whenever an action has finished its part of the table.
void GameWindow::commitAction()
{
    if (journalPaused > 0)
        return;
    TableState now = captureTable();
    if (now.samePlay(journal.current()) && UndoList->Count() == bookedRecords)
        return;
    JournalEntry entry;
    for (int i = bookedRecords; i < UndoList->Count(); ++i) {
        const TCardPile *pile = UndoList->PileAt(i);
        JournalRecord record{UndoList->SourceAt(i), UndoList->TargetAt(i), {}};
        for (int c = 0; c < pile->Count(); ++c)
            record.cards.append(pile->CardAt(c));
        entry.records.append(record);
    }
    bookedRecords = UndoList->Count();
    entry.after = std::move(now);
    entry.quiet = std::exchange(pendingQuiet, false);
    journal.push(std::move(entry));
    updateHistoryItems();
}

// A table changed by no action the journal saw (nothing booked, yet not the table it
// holds) is taken as the current table as it stands.
void GameWindow::beginAction()
{
    if (help)
        help->actionBegins();  // a search for a winnable deal ends first
    if (journalPaused > 0 || UndoList->Count() != bookedRecords)
        return;
    TableState now = captureTable();
    if (!now.samePlay(journal.current()))
        journal.replaceCurrent(now);
}

// Undo and redo never bring back cards that are no longer on the table: when the
// table holds other cards than the state (cards taken away outside any action),
// the journal starts afresh from the table as it is.
bool GameWindow::mayShowJournalTable(const TableState &state)
{
    if (state.sameCards(captureTable()))
        return true;
    rebaseJournal();
    return false;
}

// The entry's records go back on the undo list, as its action booked them.
void GameWindow::rebookRecords(const JournalEntry &entry)
{
    for (const JournalRecord &record : entry.records) {
        TCardPile cards;
        for (TCard *card : record.cards)
            cards.AddCard(card);
        UndoList->AddPileMove(record.source, record.target, &cards);
        cards.Empty(false);
    }
}

void GameWindow::markUndoQuiet() { pendingQuiet = true; }

void GameWindow::updateHistoryItems()
{
    Undo1->setEnabled(journal.canUndo());
    Redo1->setEnabled(journal.canRedo());
}

// ---- undo and redo ---------------------------------------------------------------------

bool GameWindow::historyBusy() const { return dragUnderWay() || animating; }

void GameWindow::Undo1Click()
{
    if (historyBusy())
        return;
    beginAction();
    commitAction();
    if (!journal.canUndo() || !mayShowJournalTable(journal.beforeNewest()))
        return;
    const JournalEntry &entry = journal.stepBack();
    record->countUndo();
    for (int i = 0; i < entry.records.size() && UndoList->Count() > 0; ++i) {
        UndoList->UndoLast();
        UndoList->DropLast();
    }
    bookedRecords = UndoList->Count();
    if (!entry.quiet)
        play(&TSoundManager::PlayUndo);
    showJournalTable(journal.current());
}

void GameWindow::Redo1Click()
{
    if (historyBusy())
        return;
    beginAction();
    if (!journal.canRedo() || !mayShowJournalTable(journal.entry(journal.at()).after))
        return;
    const JournalEntry &entry = journal.stepForward();
    record->countRedo();
    rebookRecords(entry);
    bookedRecords = UndoList->Count();
    // Options locked by the action lock again; undo never unlocks them.
    const QList<QAction *> items = optionItems();
    for (int i = 0; i < items.size() && i < entry.after.locks.size(); ++i)
        if (entry.after.locks[i])
            items[i]->setEnabled(false);
    if (!entry.quiet)
        play(&TSoundManager::PlayUndo);
    showJournalTable(entry.after);
    // Redone up to the win, the game is won, once.
    if (!GameOver && Score >= description.winningScore) {
        GameOver = true;
        forgetKeptGame();
        recordWonGame();
        tableChanged();
        ShowWinForm(this);
    }
}

void GameWindow::showJournalTable(const TableState &state)
{
    ++journalPaused;
    applyTable(state);
    refreshTable();
    ShowScore();
    --journalPaused;
    updateHistoryItems();
}
