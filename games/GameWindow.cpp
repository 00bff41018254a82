// SPDX-License-Identifier: MIT
#include "games/GameWindow.h"

#include "cards/Rules.h"
#include "games/PlayRecord.h"
#include "games/TableAccessible.h"
#include "games/TableKeyboard.h"
#include "platform/Dialogs.h"
#include "platform/DragManager.h"
#include "platform/FormPlacement.h"
#include "platform/Help.h"
#include "platform/SoundPlayer.h"
#include "shell/Background.h"
#include "shell/Preferences.h"
#include "shell/ProgramEnd.h"
#include "shell/Profile.h"
#include "shell/SolitaireWindow.h"
#include "shell/Sounds.h"
#include "shell/WinWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QTimer>

GameWindow::GameWindow(GameDescription gameDescription, CardScale cardScale, QWidget *parent)
    : QWidget(parent, Qt::Window), description(std::move(gameDescription)), scale(cardScale)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(description.caption);
    if (!description.canMaximize)
        setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    QPalette table = palette();
    table.setColor(QPalette::Window, QColorFromColor(clDarkGreen));
    setPalette(table);
    setAutoFillBackground(true);
    buildViews();
    Tableau = viewsOf(PileRole::Column);
    Foundations = viewsOf(PileRole::Foundation);
    FreeCells = viewsOf(PileRole::Cell);
    buildMenu();
    applySizeLimits();
    resize(windowSize().clientWidth, windowSize().clientHeight);
    if (!windowSize().optionsSection.isEmpty())
        Profile1 = new TProfile(QStringLiteral("Solitaire.ini"), windowSize().optionsSection, QStringLiteral("None"), this);
    FormPlacement1 = new TFormPlacement(this);
    FormPlacement1->IniFileName = QStringLiteral("Solitaire.ini");
    FormPlacement1->IniSection = windowSize().placementSection;
    FormPlacement1->Options = description.placementState ? (fpState | fpPosition) : TPlacementOptions(fpPosition);
    zBackground1 = new TzBackground(this);
    SavedDeal = new TCardPile;
    UndoList = new TCardUndo;
    UndoList->SetMenuItem(Undo1);
    record = new PlayRecord(this);
    // The bare table accepts exactly when a target is set; where targets do not stick,
    // it never does.
    OnDragOver = [this](QObject *, QObject *source, int, int, DragState, bool &accept) {
        TCardPileView *view = ownView(source);
        if (view && !description.dropTargetSticks)
            view->DropTarget = nullptr;
        accept = view && view->DropTarget;
    };
    wireViews();
    // Play by keys, and the table as assistive tools read it.
    auto *keyboard = new TableKeyboard(this);
    new TableAccessibility(this, keyboard);
}

GameWindow::~GameWindow()
{
    emptyAllPiles(true);
    SavedDeal->Empty(false);
    delete SavedDeal;
    delete UndoList;
}

// ---- views and roles ------------------------------------------------------------

const PileViewRow &GameWindow::rowOf(const TCardPileView *view) const
{
    return description.layout.rows()[std::size_t(views.indexOf(view))];
}

PileRole GameWindow::roleOf(const TCardPileView *view) const
{
    return views.contains(view) ? rowOf(view).role : PileRole::Other;
}

bool GameWindow::isHidden(const TCardPileView *view) const { return rowOf(view).flags & Hidden; }

bool GameWindow::sendsHome(const TCardPileView *view) const { return rowOf(view).flags & SendsHome; }

bool GameWindow::pairsOff(const TCardPileView *view) const { return views.contains(view) && rowOf(view).flags & PairsOff; }

void GameWindow::showWhileHolding(TCardPileView *view)
{
    if (rowOf(view).flags & HiddenWhenEmpty)
        view->setVisible(!view->Cards->IsEmpty());
}

TCardPileView *GameWindow::ownView(QObject *object) const
{
    TCardPileView *view = asView(object);
    return views.contains(view) ? view : nullptr;
}

TCardPileView *GameWindow::viewOf(PileRole role) const
{
    for (TCardPileView *view : views)
        if (roleOf(view) == role)
            return view;
    return nullptr;
}

TCardPileView *GameWindow::viewNamed(const QString &name) const
{
    for (TCardPileView *view : views)
        if (view->objectName() == name)
            return view;
    return nullptr;
}

QList<TCardPileView *> GameWindow::viewsOf(PileRole role) const
{
    QList<TCardPileView *> group;
    for (TCardPileView *view : views)
        if (roleOf(view) == role)
            group.append(view);
    return group;
}

QString GameWindow::dealText() const
{
    QString text;
    for (const TCardPileView *view : views) {
        text += view->objectName() + QLatin1Char(':');
        for (int i = 0; i < view->Cards->Count(); ++i)
            text += QLatin1Char(' ') + CardText(view->Cards->CardAt(i));
        text += QLatin1Char('\n');
    }
    return text;
}

void GameWindow::play(void (TSoundManager::*sound)())
{
    if (SoundManager)
        (SoundManager->*sound)();
}

bool GameWindow::animationOn() { return PreferencesDlg && PreferencesDlg->DoAnimation; }

bool GameWindow::dragUnderWay()
{
    const DragManager &drags = DragManager::instance();
    return drags.pending() || drags.active();
}

// ---- closing ---------------------------------------------------------------------

// A game under way is kept for next time when the player wants that; otherwise the
// player is asked, unless the program ends with nobody there to answer.
bool GameWindow::FormCloseQuery()
{
    const bool kept = gameUnderWay() && keepUnfinishedGames() && keepGame();
    const bool allowed = kept || ProgramEnd::isUnattended() || mayLeaveGame();
    if (allowed && !kept) {
        forgetKeptGame();
        recordLeftGame();
    }
    if (SolitaireForm)
        SolitaireForm->CanCloseGames = allowed;
    return allowed;
}

bool GameWindow::mayLeaveGame()
{
    const bool allowed = MoveCount < description.promptThreshold || GameOver || Dialogs::confirm(this, description.quitPrompt());
    if (SolitaireForm)
        SolitaireForm->CanCloseGames = allowed;
    return allowed;
}

void GameWindow::FormClose()
{
    emptyAllPiles(true);
    SavedDeal->Empty(false);
    UndoList->Clear();
}

void GameWindow::closeEvent(QCloseEvent *event)
{
    // A close that arrives while a deal or an autoplay waits on its sound is taken
    // up again once that action has finished: the action still uses the cards.
    if (SoundPlayer::isWaiting()) {
        event->ignore();
        if (SolitaireForm)
            SolitaireForm->CanCloseGames = false;
        QTimer::singleShot(100, this, [this] { close(); });
        return;
    }
    // Cards in the player's hand go back before anything is asked.
    if (dragUnderWay())
        DragManager::instance().cancel();
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

int GameWindow::computeScore() const
{
    int score = 0;
    for (const TCardPileView *home : viewsOf(PileRole::Foundation) + viewsOf(PileRole::Discard))
        score += home->Cards->Count();
    return score;
}

int GameWindow::ShowScore()
{
    Score = computeScore();
    setWindowTitle(Score > 0 ? description.scorePrefix() + QString::number(Score) : description.caption);
    return Score;
}

void GameWindow::CheckWin()
{
    commitAction();
    ShowScore();
    // Once won, a later check (a click on an empty pile, say) does not celebrate again.
    if (!GameOver && Score >= description.winningScore) {
        GameOver = true;
        forgetKeptGame();
        recordWonGame();
        ShowWinForm(this);
    }
    AutoplayPass();
}

// ---- menu items ------------------------------------------------------------------------

void GameWindow::Autoplay1Click()
{
    DoAutoplay = !DoAutoplay;
    Autoplay1->setChecked(DoAutoplay);
    writeOption(QStringLiteral("Autoplay"), DoAutoplay);
}

void GameWindow::ApplyBackground()
{
    QList<TCardPileView *> table;
    for (TCardPileView *view : std::as_const(views))
        if (!isHidden(view))
            table.append(view);
    ApplyTableBackground(this, zBackground1, table);
}

void GameWindow::Preferences1Click()
{
    if (PreferencesDlg)
        Dialogs::execModal(PreferencesDlg);
    ApplyBackground();
    update();
    for (TCardPileView *view : std::as_const(views))
        view->update();
}

void GameWindow::About1Click() { Help::showTopic(this, description.helpTopic); }
