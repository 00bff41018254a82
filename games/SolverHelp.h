// SPDX-License-Identifier: MIT
#pragma once
#include "games/SolverPosition.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <cstdint>
#include <optional>

class GameWindow;
class HintSearch;
class QAction;
class QLabel;
class QProgressDialog;
class QTimer;
class TCardPileView;
class TProfile;
class DealCurtain;

// What the solver does for the player of one game window, for every game it knows:
//  - Hint (H) outlines the next move of a winning line found from the table as it
//    lies, or says that the game can no longer be won, or that the search ran out
//    of time. The search runs on a thread of its own; any change of the table stops
//    it, and a result for another table than the one searched is dropped. The
//    player's record counts each hint, each move Solve plays, and keeps what the
//    solver says of the deal.
//  - Solve plays a winning line out, step by step at the pace of the deal
//    animation, through the window's own press and drag, so that its rules, sounds,
//    moves and undo see a player's moves. Any key, button or menu stops it.
//  - Winnable Deals Only (a check item, "WinnableOnly" in the game's section): New
//    Game, and the first deal of a window, deal until the solver finds a deal it can
//    win, behind a picture of the table as it was, with a progress window after a
//    moment that can cancel (the last deal tried stays). With the seed fixed, the
//    deals tried are those of that seed and the following ones.
// For a game the solver does not know, the three items stay disabled.
class SolverHelp : public QObject
{
    Q_OBJECT
public:
    explicit SolverHelp(GameWindow *window);
    ~SolverHelp() override;

    QAction *Hint1 = nullptr;
    QAction *Solve1 = nullptr;
    QAction *WinnableOnly1 = nullptr;
    bool DoWinnableOnly = false;

    bool knowsGame() const { return game != nullptr; }
    bool isSolving() const { return solving; }
    bool isSeekingDeal() const { return seek.has_value(); }
    HintSearch *search() const { return searcher; }
    // What the player was last told ("This game can no longer be won."), while shown.
    QString note() const;
    // What a search may spend, in every window: for a hint or Solve (5 s of processor
    // time), and for each deal tried (2 s, as `cardenza --solve` gives a deal).
    static void setLimits(const Solver::Limits &forHints, const Solver::Limits &forDeals);
    static const Solver::Limits defaultHintLimits, defaultDealLimits;

    // After the window's creation and first deal: the Winnable Deals Only item, and
    // unless a kept game came back, a first deal that can be won.
    void windowCreated();
    // New Game: with Winnable Deals Only on, deals until a winnable deal is found
    // and returns true; otherwise leaves New Game to the window.
    bool seekWinnableDeal();
    // Any action on the table while deals are tried ends the search: the last deal
    // tried is the game.
    void actionBegins();

    void Hint1Click();
    void Solve1Click();

Q_SIGNALS:
    // A hint outlined a step of the winning line ("FROMVIEW -> TOVIEW xN", "click VIEW").
    void hintShown(const QString &step);
    // Solve has stopped: the line played out, or the player or the table stopped it.
    void solveStopped();
    // A search for a winnable deal has ended, with a deal found, or cancelled.
    void dealSought();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Purpose { None, Hint, Solve, Deal };
    static bool samePosition(const Solver::TableText &a, const Solver::TableText &b);
    struct Seek {
        bool atOpen = false;
        int tries = 0;
        std::optional<std::uint32_t> seed;  // the seed of the deal tried last, if one was dealt
    };

    void startSearch(Purpose why);
    void cancelSearch();
    void searchFinished(const Solver::Result &result);
    void tableRefreshed();
    void noteVerdict(Solver::Verdict verdict);
    void showNote(const QString &text);
    void hideNote();
    void showSearchingNote();
    void clearOutlines();
    QString verdictNote(const Solver::Result &result) const;

    void showHint(const QString &step);
    void outline(TCardPileView *view, int firstCard, int count);

    void startSolving(const QStringList &winningLine);
    void playNextStep();
    bool playStep(const QString &step);
    void stopSolving(const QString &why = {});

    void beginSeek(bool atOpen);
    void tryNextDeal();
    void dealTentatively(std::uint32_t seed);
    void keepDeal(bool winnable);
    void abandonSeek();
    void endSeek();
    QString sectionName() const;

    GameWindow *window;
    const Solver::GameInfo *game;
    HintSearch *searcher;
    Purpose purpose = Purpose::None;
    SolverPosition searched;
    QLabel *noteLabel = nullptr;
    QTimer *noteTimer = nullptr;
    QTimer *searchingTimer = nullptr;
    QTimer *stepTimer = nullptr;
    QStringList line;  // the steps Solve has still to play
    bool solving = false;
    bool playing = false;  // a step of Solve, or a deal of this object's, is being made
    std::optional<Seek> seek;
    QPointer<DealCurtain> curtain;
    QPointer<QProgressDialog> progress;
    TProfile *profile = nullptr;
};
