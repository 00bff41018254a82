// SPDX-License-Identifier: MIT
#pragma once
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <optional>

// A saved game as text: what a person reads in the file, before any of it is
// matched against a game window. Cards are written as the printed deal writes
// them ("7c TS": rank, suit, lower case face down).
namespace TableText {

// 2 adds the playing time and tallies of the game ("Played:"); a file of format 1
// still reads, without them.
inline constexpr int FormatVersion = 2;

struct PileLine {
    QString view;
    QStringList cards;
};

struct RecordLine {
    QString source, target;
    QStringList cards;
};

// The table after the deal, or after one action: the counters, the caption and
// the piles (after the deal, every view; after an action, the views it changed).
struct StateLines {
    int moves = 0;
    int score = 0;
    bool quiet = false;
    QList<QPair<QString, int>> fields;
    QString caption;
    QList<RecordLine> records;
    QList<PileLine> piles;
};

// The player's record of the game so far: when it began (UTC, ISO 8601), the
// playing time and the undos, redos and hints taken.
struct PlayTally {
    QString since;
    qint64 playedMs = 0;
    int undos = 0;
    int redos = 0;
    int hints = 0;
};

struct SavedGameText {
    int format = FormatVersion;
    QString game;  // the window's caption, "Klondike"
    QString size;  // "large" or "small"
    bool over = false;
    QList<QPair<QString, bool>> options;
    QStringList locked;  // names of option items locked for this deal
    QStringList deal;    // the deck as dealt, bottom card first
    std::optional<PlayTally> played;
    StateLines start;
    QList<StateLines> entries;
    int position = 0;  // entries before it are played, the rest can be redone
    QList<PileLine> table;
};

QString write(const SavedGameText &saved);
// Reads a saved game; on failure returns nothing and says why in `why`.
std::optional<SavedGameText> read(const QString &text, QString *why);
// The first line of a saved game names the program and the format's version; 0
// when it does not.
int formatOf(const QString &text);

}  // namespace TableText
