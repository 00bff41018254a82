// SPDX-License-Identifier: MIT
#include "games/SolverHelp.h"

#include "games/GameWindow.h"
#include "games/HintSearch.h"
#include "games/PlayRecord.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTimer>

namespace {

constexpr int outlineMs = 2500;        // how long a hint's rings stay
constexpr int noteMs = 4000;           // how long a note stays
constexpr int searchingNoteMs = 300;   // a search this long says that it is searching

const QString searchingForHint = QStringLiteral("Looking for a move...");
const QString searchingForWin = QStringLiteral("Looking for a way to win...");
const QString cannotBeWon = QStringLiteral("This game can no longer be won.");
const QString outOfTime = QStringLiteral("The search ran out of time before it found a way to win.");
const QString noSureWay = QStringLiteral("No way to win was found, but the game may still be won.");
const QString alreadyWon = QStringLiteral("The game is won.");

constexpr int hintBudgetMs = 5000;
constexpr int dealBudgetMs = 2000;  // as `cardenza --solve` gives each deal
Solver::Limits hintLimits{hintBudgetMs, 0, nullptr};
Solver::Limits dealLimits{dealBudgetMs, 0, nullptr};


}  // namespace

SolverHelp::SolverHelp(GameWindow *form)
    : QObject(form), window(form), game(Solver::findGame(form->gameDescription().caption.toStdString())),
      searcher(new HintSearch(this)), noteTimer(new QTimer(this)), searchingTimer(new QTimer(this)),
      stepTimer(new QTimer(this))
{
    Hint1 = window->addMenuItem(QStringLiteral("Hint1"), QStringLiteral("&Hint"), QKeySequence(Qt::Key_H),
                                [this] { Hint1Click(); });
    Solve1 = window->addMenuItem(QStringLiteral("Solve1"), QStringLiteral("S&olve"), QKeySequence(),
                                 [this] { Solve1Click(); });
    Hint1->setEnabled(knowsGame());
    Solve1->setEnabled(knowsGame());
    for (QTimer *timer : {noteTimer, searchingTimer, stepTimer})
        timer->setSingleShot(true);
    connect(noteTimer, &QTimer::timeout, this, &SolverHelp::hideNote);
    connect(searchingTimer, &QTimer::timeout, this, &SolverHelp::showSearchingNote);
    connect(stepTimer, &QTimer::timeout, this, &SolverHelp::playNextStep);
    connect(searcher, &HintSearch::finished, this, &SolverHelp::searchFinished);
    connect(window, &GameWindow::tableRefreshed, this, &SolverHelp::tableRefreshed);
}

SolverHelp::~SolverHelp() { qApp->removeEventFilter(this); }

const Solver::Limits SolverHelp::defaultHintLimits{hintBudgetMs, 0, nullptr};
const Solver::Limits SolverHelp::defaultDealLimits{dealBudgetMs, 0, nullptr};

void SolverHelp::setLimits(const Solver::Limits &forHints, const Solver::Limits &forDeals)
{
    hintLimits = forHints;
    dealLimits = forDeals;
}

bool SolverHelp::samePosition(const Solver::TableText &a, const Solver::TableText &b)
{
    if (a.piles.size() != b.piles.size() || a.counters != b.counters)
        return false;
    for (std::size_t i = 0; i < a.piles.size(); ++i)
        if (a.piles[i].name != b.piles[i].name || a.piles[i].cards != b.piles[i].cards)
            return false;
    return true;
}

// ---- searching ---------------------------------------------------------------------

void SolverHelp::startSearch(Purpose why)
{
    clearOutlines();
    hideNote();
    purpose = why;
    searched = SolverPosition::of(window);
    searcher->start(searched, why == Purpose::Deal ? dealLimits : hintLimits);
    if (why != Purpose::Deal)
        searchingTimer->start(searchingNoteMs);
}

void SolverHelp::cancelSearch()
{
    searcher->cancel();
    searchingTimer->stop();
    purpose = Purpose::None;
}

void SolverHelp::showSearchingNote()
{
    if (purpose == Purpose::Hint || purpose == Purpose::Solve)
        showNote(purpose == Purpose::Hint ? searchingForHint : searchingForWin);
}

// A result counts only for the table it was searched for.
void SolverHelp::searchFinished(const Solver::Result &result)
{
    const Purpose why = std::exchange(purpose, Purpose::None);
    searchingTimer->stop();
    hideNote();
    if (!samePosition(SolverPosition::of(window).table, searched.table)) {
        if (why == Purpose::Deal)
            abandonSeek();
        return;
    }
    const bool winnable = result.verdict == Solver::Verdict::Winnable;
    if (why != Purpose::Deal)
        noteVerdict(result.verdict);
    QStringList steps;
    for (const std::string &step : result.line)
        steps << QString::fromStdString(step);
    if (why == Purpose::Deal)
        winnable ? keepDeal(true) : tryNextDeal();
    else if (!winnable)
        showNote(verdictNote(result));
    else if (steps.isEmpty())
        showNote(alreadyWon);
    else if (why == Purpose::Hint)
        showHint(steps.first());
    else
        startSolving(steps);
}

// Lost, or not known: because the budget ran out, or because the search leaves out
// a move whose outcome the table does not tell (a redeal of cards in a new order).
QString SolverHelp::verdictNote(const Solver::Result &result) const
{
    if (result.verdict == Solver::Verdict::Unwinnable)
        return cannotBeWon;
    const bool spent = (hintLimits.budgetMs > 0 && result.milliseconds >= hintLimits.budgetMs)
                       || (hintLimits.maxNodes > 0 && result.nodes >= hintLimits.maxNodes);
    return spent ? outOfTime : noSureWay;
}

// Whatever changed the table (a move, undo, redo, a deal) makes every search, hint
// and note about the old table void; only Solve's own steps and deals go on.
void SolverHelp::tableRefreshed()
{
    if (playing)
        return;
    clearOutlines();
    hideNote();
    if (purpose == Purpose::Hint || purpose == Purpose::Solve)
        cancelSearch();
    if (isSolving())
        stopSolving();
    if (seek)
        abandonSeek();
}

// A winnable position anywhere makes the deal winnable (undo leads back to it); a
// lost one says so of the deal only when the player has made no move.
void SolverHelp::noteVerdict(Solver::Verdict verdict)
{
    if (verdict == Solver::Verdict::Winnable || (verdict == Solver::Verdict::Unwinnable && window->MoveCount == window->dealMoves))
        window->playRecord()->setSolverVerdict(QString::fromLatin1(Solver::verdictName(verdict)));
}

// ---- notes and outlines ----------------------------------------------------------------

void SolverHelp::showNote(const QString &text)
{
    if (!noteLabel) {
        noteLabel = new QLabel(window);
        noteLabel->setObjectName(QStringLiteral("HintNote"));
        noteLabel->setAttribute(Qt::WA_TransparentForMouseEvents);
        noteLabel->setStyleSheet(QStringLiteral("QLabel { background: rgba(0, 0, 0, 190); color: white; "
                                                "border: 1px solid rgba(255, 255, 255, 120); border-radius: 6px; "
                                                "padding: 8px 14px; font-weight: bold; }"));
    }
    noteLabel->setText(text);
    noteLabel->adjustSize();
    const QSize size = noteLabel->size();
    noteLabel->move((window->width() - size.width()) / 2, window->height() - size.height() - 16);
    noteLabel->raise();
    noteLabel->show();
    noteTimer->start(noteMs);
}

void SolverHelp::hideNote()
{
    noteTimer->stop();
    if (noteLabel)
        noteLabel->hide();
}

QString SolverHelp::note() const { return noteLabel && !noteLabel->isHidden() ? noteLabel->text() : QString(); }

void SolverHelp::clearOutlines()
{
    for (TCardPileView *view : window->pileViews())
        view->clearHighlight();
}

void SolverHelp::outline(TCardPileView *view, int firstCard, int count)
{
    if (view)
        view->highlight(firstCard, count, outlineMs);
}

// The cards of the step and where they go; a press outlines the card it presses.
void SolverHelp::showHint(const QString &step)
{
    const QStringList words = step.split(QLatin1Char(' '));
    TCardPileView *pressed = window->viewNamed(words.value(words.size() == 2 ? 1 : 0));
    if (!pressed)
        return;
    const int cards = pressed->Cards->Count();
    if (words.size() == 2) {
        outline(pressed, cards - 1, cards > 0 ? 1 : 0);
    } else {
        const int count = qBound(1, words.value(3).mid(1).toInt(), qMax(1, cards));
        outline(pressed, cards - count, count);
        TCardPileView *target = window->viewNamed(words.value(2));
        if (target)
            outline(target, target->Cards->Count() - 1, target->Cards->IsEmpty() ? 0 : 1);
    }
    window->playRecord()->countHint();
    Q_EMIT hintShown(step);
}

void SolverHelp::Hint1Click()
{
    if (!knowsGame() || seek)
        return;
    if (isSolving())
        stopSolving();
    startSearch(Purpose::Hint);
}

// ---- the window's side ------------------------------------------------------------

int GameWindow::hintsUsed() const { return record->hintsUsed(); }
