// SPDX-License-Identifier: MIT
// The common game window's part in the player's record: a game won, or left after
// at least one move (New Game, Restart, closing), becomes one row of statistics; a
// game kept for next time carries its clock and tallies along.
#include "games/GameWindow.h"

#include "games/PlayRecord.h"
#include "games/TableText.h"
#include "platform/Random.h"
#include "shell/GameCatalog.h"
#include "shell/PlayerStatistics.h"
#include "shell/StatisticsDlg.h"

namespace {

// The launcher's name of a game whose caption may be written otherwise ("FreeCell").
QString launcherName(const QString &caption)
{
    const auto squeezed = [](QString name) { return name.remove(QLatin1Char(' ')).toLower(); };
    for (const GameEntry *entry : GameCatalog::entries())
        if (squeezed(entry->name) == squeezed(caption))
            return entry->name;
    return caption;
}

}  // namespace

QList<QPair<QString, bool>> GameWindow::optionValues() const
{
    QList<QPair<QString, bool>> values;
    if (description.hasAutoplay)
        values.append({QStringLiteral("Autoplay"), DoAutoplay});
    for (const OptionBinding &option : options)
        values.append({option.key, *option.member});
    for (const ChoiceGroup &group : choices)
        values.append({group.key, *group.member});
    return values;
}

QString GameWindow::dealtDeck() const
{
    QStringList cards;
    for (int i = 0; i < SavedDeal->Count(); ++i)
        cards << CardText(SavedDeal->CardAt(i)).toUpper();
    return cards.join(QLatin1Char(' '));
}

void GameWindow::startRecord() { record->start(dealtDeck()); }

void GameWindow::recordLeftGame()
{
    if (gameUnderWay())
        PlayerStatistics::record(finishedGame(false));
}

void GameWindow::recordWonGame() { PlayerStatistics::record(finishedGame(true)); }

FinishedGame GameWindow::finishedGame(bool won)
{
    FinishedGame game;
    game.game = launcherName(description.caption);
    game.cardSize = scale == CardScale::Large ? QStringLiteral("large") : QStringLiteral("small");
    QStringList optionTexts;
    for (const auto &[key, value] : optionValues())
        optionTexts << key + (value ? QStringLiteral("=True") : QStringLiteral("=False"));
    game.options = optionTexts.join(QLatin1Char(' '));
    if (const std::optional<std::uint32_t> seed = Random::fixedSeed())
        game.seed = *seed;
    game.deal = dealtDeck();
    game.started = record->started;
    game.ended = QDateTime::fromMSecsSinceEpoch(PlayClock::now(), Qt::UTC);
    game.playedMs = record->clock.playedMs();
    game.moves = MoveCount;
    game.undos = record->undos;
    game.redos = record->redos;
    game.hints = record->hints;
    game.won = won;
    game.solverVerdict = record->solverVerdict;
    return game;
}

TableText::PlayTally GameWindow::playTally() const
{
    return {record->started.toString(Qt::ISODateWithMs), record->clock.playedMs(), record->undos, record->redos,
            record->hints};
}

// A kept game of the first format has no tallies: its clock starts now.
void GameWindow::resumeRecord(const std::optional<TableText::PlayTally> &tally)
{
    const QDateTime since = tally ? QDateTime::fromString(tally->since, Qt::ISODateWithMs) : QDateTime();
    if (!tally || !since.isValid())
        return;
    record->resume(since, tally->playedMs, tally->undos, tally->redos, tally->hints);
}

void GameWindow::Statistics1Click() { ShowStatistics(this, launcherName(description.caption)); }
