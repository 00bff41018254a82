// SPDX-License-Identifier: MIT
// The common game window written down as text, and read back into a fresh window:
// the first deal, the journal with its undo and redo entries, options and locks.
#include "games/GameWindow.h"

#include "games/TableText.h"

#include <QAction>
#include <QHash>

using namespace TableText;

namespace {

int cardKey(int value, int suit) { return suit * 13 + value; }

// "7c" -> the key of the Seven of clubs, face down; -1 for anything else.
int parseCard(const QString &token, bool *faceUp)
{
    static const QString ranks = QStringLiteral("A23456789TJQK");
    static const QString suits = QStringLiteral("CSDH");
    if (token.size() != 2)
        return -1;
    const bool upper = token == token.toUpper();
    if (token != token.toUpper() && token != token.toLower())
        return -1;
    const int value = int(ranks.indexOf(token[0].toUpper()));
    const int suit = int(suits.indexOf(token[1].toUpper()));
    if (value < 0 || suit < 0)
        return -1;
    *faceUp = upper;
    return cardKey(value, suit);
}

QStringList cardTokens(const QList<PlacedCard> &pile)
{
    QStringList tokens;
    for (const PlacedCard &placed : pile) {
        const QString text = CardText(placed.card);
        tokens << (placed.faceUp ? text.toUpper() : text.toLower());
    }
    return tokens;
}

}  // namespace

// ---- writing ---------------------------------------------------------------------------

StateLines GameWindow::stateLines(const TableState &state, const TableState *before) const
{
    StateLines lines{state.moves, state.score, false, {}, state.caption, {}, {}};
    const QList<StateField> fields = const_cast<GameWindow *>(this)->stateFields();
    for (int i = 0; i < fields.size() && i < state.fields.size(); ++i)
        lines.fields.append({fields[i].name, state.fields[i]});
    for (int i = 0; i < views.size(); ++i)
        if (!before || cardTokens(before->piles.value(i)) != cardTokens(state.piles.value(i)))
            lines.piles.append({views[i]->objectName(), cardTokens(state.piles.value(i))});
    return lines;
}

QString GameWindow::savedText()
{
    commitAction();
    SavedGameText saved;
    saved.game = description.caption;
    saved.size = scale == CardScale::Large ? QStringLiteral("large") : QStringLiteral("small");
    saved.over = GameOver;
    saved.options = optionValues();
    for (const QAction *item : optionItems())
        if (!item->isEnabled())
            saved.locked << item->objectName();
    for (int i = 0; i < SavedDeal->Count(); ++i)
        saved.deal << CardText(SavedDeal->CardAt(i)).toUpper();
    saved.played = playTally();
    saved.start = stateLines(journal.base(), nullptr);
    const TableState *before = &journal.base();
    for (int i = 0; i < journal.size(); ++i) {
        const JournalEntry &entry = journal.entry(i);
        StateLines lines = stateLines(entry.after, before);
        lines.quiet = entry.quiet;
        for (const JournalRecord &record : entry.records) {
            QStringList cards;
            for (const TCard *card : record.cards)
                cards << CardText(card).toUpper();
            lines.records.append({record.source->objectName(), record.target->objectName(), cards});
        }
        saved.entries.append(lines);
        before = &entry.after;
    }
    saved.position = journal.at();
    // The caption and score as the window shows them now; a state is booked before
    // the win check brings them up to date.
    StateLines &current = saved.position == 0 ? saved.start : saved.entries[saved.position - 1];
    current.caption = windowTitle();
    current.score = Score;
    saved.table = stateLines(captureTable(), nullptr).piles;
    return write(saved);
}

// ---- reading ---------------------------------------------------------------------------

// Matches the text's cards with this window's cards: every card of the decks once
// on every table, never one doubled or missing.
class CardMatcher
{
public:
    explicit CardMatcher(const QList<TCardPileView *> &views)
    {
        for (const TCardPileView *view : views)
            for (int i = 0; i < view->Cards->Count(); ++i) {
                TCard *card = view->Cards->CardAt(i);
                pool[cardKey(card->Value, card->Suit)].append(card);
            }
    }
    int cardCount() const
    {
        int count = 0;
        for (const QList<TCard *> &cards : pool)
            count += int(cards.size());
        return count;
    }
    // Every token once; `used` counts per card what this table took so far.
    bool take(const QString &token, QHash<int, int> &used, PlacedCard *placed, QString *why) const
    {
        bool faceUp = false;
        const int key = parseCard(token, &faceUp);
        if (key < 0)
            return (*why = QStringLiteral("\"%1\" is no card").arg(token)), false;
        const QList<TCard *> cards = pool.value(key);
        const int index = used[key]++;
        if (index >= cards.size())
            return (*why = QStringLiteral("the card %1 is there twice").arg(token.toUpper())), false;
        *placed = {cards[index], faceUp};
        return true;
    }

private:
    QHash<int, QList<TCard *>> pool;
};

bool GameWindow::tableFromLines(const QList<PileLine> &lines, const TableState *before, TableState *state,
                                const CardMatcher &matcher, QString *why) const
{
    QList<QStringList> tokens;
    QList<bool> given(views.size(), false);
    for (int i = 0; i < views.size(); ++i)
        tokens.append(before ? cardTokens(before->piles.value(i)) : QStringList());
    for (const PileLine &line : lines) {
        const int index = indexOfView(line.view);
        if (index < 0 || given[index])
            return (*why = QStringLiteral("the pile \"%1\" is unknown or given twice").arg(line.view)), false;
        given[index] = true;
        tokens[index] = line.cards;
    }
    if (!before && given.contains(false))
        return (*why = QStringLiteral("a pile is missing")), false;
    QHash<int, int> used;
    int placedCount = 0;
    state->piles.clear();
    for (const QStringList &pile : std::as_const(tokens)) {
        QList<PlacedCard> placed(pile.size());
        for (int i = 0; i < pile.size(); ++i)
            if (!matcher.take(pile[i], used, &placed[i], why))
                return false;
        placedCount += int(pile.size());
        state->piles.append(placed);
    }
    if (placedCount != matcher.cardCount())
        return (*why = QStringLiteral("cards are missing from a table")), false;
    return true;
}

int GameWindow::indexOfView(const QString &name) const
{
    for (int i = 0; i < views.size(); ++i)
        if (views[i]->objectName() == name)
            return i;
    return -1;
}

bool GameWindow::stateFromLines(const StateLines &lines, const TableState *before, TableState *state,
                                const CardMatcher &matcher, QString *why)
{
    const QList<StateField> fields = stateFields();
    if (lines.fields.size() != fields.size())
        return (*why = QStringLiteral("the game's counters do not match")), false;
    state->fields.clear();
    for (int i = 0; i < fields.size(); ++i) {
        if (lines.fields[i].first != fields[i].name)
            return (*why = QStringLiteral("the game's counters do not match")), false;
        state->fields.append(lines.fields[i].second);
    }
    const bool knownCaption = lines.caption == description.caption ||
                              (lines.caption.startsWith(description.scorePrefix()) &&
                               lines.caption.mid(description.scorePrefix().size()) == QString::number(lines.score));
    if (!knownCaption)
        return (*why = QStringLiteral("the caption \"%1\" is not this game's").arg(lines.caption)), false;
    state->moves = lines.moves;
    state->score = lines.score;
    state->caption = lines.caption;
    return tableFromLines(lines.piles, before, state, matcher, why);
}

bool GameWindow::recordsFromLines(const QList<RecordLine> &lines, const TableState &after,
                                  QList<JournalRecord> *records, QString *why) const
{
    for (const RecordLine &line : lines) {
        const int source = indexOfView(line.source), target = indexOfView(line.target);
        if (source < 0 || target < 0)
            return (*why = QStringLiteral("a move names an unknown pile")), false;
        JournalRecord record{views[source], views[target], {}};
        // The cards lie where the move put them, unless a later step of the same
        // action moved them on: then anywhere on the table.
        QList<PlacedCard> candidates = after.piles.value(target);
        for (const QList<PlacedCard> &pile : after.piles)
            candidates += pile;
        for (const QString &token : line.cards) {
            bool faceUp = false;
            const int key = parseCard(token, &faceUp);
            auto found = std::find_if(candidates.begin(), candidates.end(), [&](const PlacedCard &placed) {
                return placed.card && cardKey(placed.card->Value, placed.card->Suit) == key;
            });
            if (key < 0 || found == candidates.end())
                return (*why = QStringLiteral("a move names a card that is not there")), false;
            record.cards.append(found->card);
            for (PlacedCard &other : candidates)
                if (other.card == record.cards.last())
                    other.card = nullptr;
        }
        records->append(record);
    }
    return true;
}

bool GameWindow::optionsFromText(const SavedGameText &saved, QString *why)
{
    QHash<QString, bool *> members;
    if (description.hasAutoplay)
        members.insert(QStringLiteral("Autoplay"), &DoAutoplay);
    for (const OptionBinding &option : std::as_const(options))
        members.insert(option.key, option.member);
    for (const ChoiceGroup &group : std::as_const(choices))
        members.insert(group.key, group.member);
    if (saved.options.size() != members.size())
        return (*why = QStringLiteral("the options are not this game's")), false;
    for (const auto &[key, value] : saved.options)
        if (!members.contains(key))
            return (*why = QStringLiteral("the option \"%1\" is not this game's").arg(key)), false;
    QStringList itemNames;
    for (const QAction *item : optionItems())
        itemNames << item->objectName();
    for (const QString &name : saved.locked)
        if (!itemNames.contains(name))
            return (*why = QStringLiteral("the option item \"%1\" is not this game's").arg(name)), false;
    return true;
}

// The options and their locks as the saved game had them; the settings follow.
void GameWindow::applySavedOptions(const SavedGameText &saved)
{
    for (const auto &[key, value] : saved.options) {
        if (key == QStringLiteral("Autoplay") && description.hasAutoplay && DoAutoplay != value)
            Autoplay1Click();
        for (const OptionBinding &option : std::as_const(options))
            if (option.key == key && *option.member != value) {
                *option.member = value;
                option.item->setChecked(value);
                writeOption(key, value);
            }
        for (ChoiceGroup &group : choices)
            if (group.key == key && *group.member != value)
                choose(group, value, true);
    }
    for (QAction *item : optionItems())
        item->setEnabled(!saved.locked.contains(item->objectName()));
}

bool GameWindow::restoreSaved(const QString &text, QString *why)
{
    const std::optional<SavedGameText> saved = TableText::read(text, why);
    if (!saved)
        return false;
    const QString size = scale == CardScale::Large ? QStringLiteral("large") : QStringLiteral("small");
    if (saved->game != description.caption || saved->size != size) {
        *why = QStringLiteral("it is a game of %1 (%2 cards), not of this window").arg(saved->game, saved->size);
        return false;
    }
    const CardMatcher matcher(views);
    TableState base, deal, table;
    QList<JournalEntry> entries;
    QList<PileLine> dealLine{{views.first()->objectName(), saved->deal}};
    bool ok = optionsFromText(*saved, why) && stateFromLines(saved->start, nullptr, &base, matcher, why);
    // The deck as dealt, checked as one pile: every card once.
    for (int i = 1; ok && i < views.size(); ++i)
        dealLine.append({views[i]->objectName(), {}});
    ok = ok && tableFromLines(dealLine, nullptr, &deal, matcher, why);
    const TableState *before = &base;
    for (int i = 0; ok && i < saved->entries.size(); ++i) {
        JournalEntry entry;
        entry.quiet = saved->entries[i].quiet;
        ok = stateFromLines(saved->entries[i], before, &entry.after, matcher, why) &&
             recordsFromLines(saved->entries[i].records, entry.after, &entry.records, why);
        entries.append(entry);
        before = &entries.last().after;
    }
    ok = ok && tableFromLines(saved->table, nullptr, &table, matcher, why);
    const TableState &current = saved->position == 0 ? base : entries.value(saved->position - 1).after;
    if (ok && table.piles != current.piles) {
        *why = QStringLiteral("it is damaged (the table does not follow from its moves)");
        ok = false;
    }
    if (!ok)
        return false;
    applySavedOptions(*saved);
    installJournal(deal, base, entries, saved->position, saved->over);
    resumeRecord(saved->played);
    return true;
}

// Everything read and checked: the journal, its records, the deck and the table.
void GameWindow::installJournal(const TableState &deal, const TableState &base, const QList<JournalEntry> &entries,
                                int position, bool over)
{
    SavedDeal->Empty(false);
    for (const PlacedCard &placed : deal.piles.first())
        SavedDeal->AddCard(placed.card);
    UndoList->Clear();
    for (int i = 0; i < position; ++i)
        rebookRecords(entries[i]);
    bookedRecords = UndoList->Count();
    pendingQuiet = false;
    journal.restore(base, entries, position);
    GameOver = over;
    const TableState &current = journal.current();
    ++journalPaused;
    applyTable(current);
    refreshTable();
    Score = current.score;
    setWindowTitle(current.caption);
    --journalPaused;
    updateHistoryItems();
}
