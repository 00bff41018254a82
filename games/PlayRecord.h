// SPDX-License-Identifier: MIT
#pragma once
#include "stats/PlayClock.h"

#include <QDateTime>
#include <QObject>
#include <QString>

class QWidget;

// The game under way as the player's record will keep it: when it began, its
// playing clock (which hears the window's input and stops while it is minimised),
// and the undos, redos and hints taken. The window reports its game as finished;
// the record knows only the tallies.
class PlayRecord : public QObject
{
    Q_OBJECT
public:
    explicit PlayRecord(QWidget *window);

    // A deal, new or restarted (the deck as dealt): nothing played yet. The solver's
    // verdict holds for the same deck dealt again.
    void start(const QString &dealtDeck = QString());
    // A game kept for next time, with its tallies: the clock goes on from there.
    void resume(const QDateTime &since, qint64 playedMs, int undoCount, int redoCount, int hintCount);

    void countUndo() { ++undos; }
    void countRedo() { ++redos; }
    // The hint code counts each hint it gives here.
    void countHint() { ++hints; }
    int hintsUsed() const { return hints; }
    // What the solver said of this deal ("winnable", "unwinnable"), when it was asked.
    void setSolverVerdict(const QString &verdict) { solverVerdict = verdict; }

    QDateTime started;
    PlayClock clock;
    int undos = 0;
    int redos = 0;
    int hints = 0;
    QString solverVerdict;
    QString deck;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool belongsToWindow(QWidget *widget) const;

    QWidget *window;
};
