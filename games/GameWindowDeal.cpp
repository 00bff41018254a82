// SPDX-License-Identifier: MIT
// The common game window built from its description (views, gestures, menu) and
// the deal skeleton with its animation.
#include "games/GameWindow.h"

#include "cards/Rules.h"
#include "games/SolverHelp.h"
#include "platform/Dialogs.h"
#include "platform/DragManager.h"
#include "platform/FormPlacement.h"
#include "platform/Help.h"
#include "platform/SoundPlayer.h"
#include "shell/Background.h"
#include "shell/Preferences.h"
#include "shell/Profile.h"
#include "shell/SolitaireWindow.h"
#include "shell/Sounds.h"
#include "shell/WinWindow.h"
#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QTimer>

// ---- building -----------------------------------------------------------------

void GameWindow::buildViews()
{
    for (const PileViewRow &row : description.layout.rows()) {
        const Geometry &place = scale == CardScale::Large ? row.large : row.small;
        auto *view = new TCardPileView(this);
        view->setObjectName(row.name);
        view->SetBounds(place.left, place.top, place.width, place.height);
        view->XOffset = place.xOffset;
        view->YOffset = place.yOffset;
        view->IsBordered = row.flags & Bordered;
        view->AllowDrag = row.flags & Draggable;
        view->DragDelayed = row.flags & DelayedDrag;
        view->closesUp = row.flags & ClosesUp;
        view->State = row.state;
        if (row.color.isValid())
            view->Color = row.color;
        if (row.flags & Hidden)
            view->hide();
        views.append(view);
    }
}

void GameWindow::wireViews()
{
    for (TCardPileView *view : views) {
        view->OnMouseDown = [this](QObject *sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int, int) {
            beginAction();
            viewMouseDown(asView(sender), button, shift);
        };
        view->OnStartDrag = [this](QObject *sender) { viewStartDrag(asView(sender)); };
        view->OnEndDrag = [this](QObject *sender, QObject *over, int, int) {
            viewEndDrag(asView(sender), asView(over));
        };
        view->OnDragOver = [this](QObject *sender, QObject *source, int, int, DragState state, bool &accept) {
            TCardPileView *from = ownView(source);
            if (from && state == DragState::Leave && !description.dropTargetSticks)
                from->DropTarget = nullptr;
            else if (from)
                viewDragOver(asView(sender), from);
            accept = from && from->DropTarget;
        };
        if (sendsHome(view))
            view->OnDblClick = [this](QObject *sender) {
                beginAction();
                sendHome(asView(sender));
            };
        if (roleOf(view) == PileRole::Stock)
            view->OnClick = [this](QObject *) { DeckPileViewClick(); };
    }
}

QAction *GameWindow::addMenuItem(const QString &name, const QString &caption, QKeySequence shortcut,
                                std::function<void()> handler, QAction *before)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    // Nothing that touches the piles runs while cards are in the player's hand.
    if (handler)
        connect(action, &QAction::triggered, this, [this, action, handler = std::move(handler)] {
            if (dragUnderWay()) {
                if (action->isCheckable())
                    action->setChecked(!action->isChecked());  // a refused choice keeps its mark
                return;
            }
            beginAction();
            handler();
        });
    PopupMenu1->insertAction(before, action);
    addAction(action);
    return action;
}

void GameWindow::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Undo1 = addMenuItem(QStringLiteral("Undo1"), QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z),
                        [this] { Undo1Click(); });
    Undo1->setEnabled(false);
    Redo1 = addMenuItem(QStringLiteral("Redo1"), QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                        [this] { Redo1Click(); });
    Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    Redo1->setEnabled(false);
    help = new SolverHelp(this);
    PopupMenu1->addSeparator();
    if (description.hasAutoplay) {
        Autoplay1 = addMenuItem(QStringLiteral("Autoplay1"), description.autoplayCaption,
                                QKeySequence(Qt::CTRL | Qt::Key_A), [this] { Autoplay1Click(); });
        Autoplay1->setCheckable(true);
        PopupMenu1->addSeparator();
    }
    NewGame1 = addMenuItem(description.newGameName, QStringLiteral("&New Game"), QKeySequence(Qt::CTRL | Qt::Key_N),
                           [this] { NewGame1Click(NewGame1); });
    Restart1 = addMenuItem(description.restartName, QStringLiteral("&Restart"), QKeySequence(),
                           [this] { NewGame1Click(Restart1); });
    Preferences1 = addMenuItem(QStringLiteral("Preferences1"), description.preferencesCaption, QKeySequence(),
                               [this] { Preferences1Click(); });
    Statistics1 = addMenuItem(QStringLiteral("Statistics1"), QStringLiteral("S&tatistics..."), QKeySequence(),
                              [this] { Statistics1Click(); });
    About1 = addMenuItem(QStringLiteral("About1"), description.aboutCaption, QKeySequence(), [this] { About1Click(); });
}

void GameWindow::FormCreate()
{
    ApplyBackground();
    if (description.hasAutoplay) {
        DoAutoplay = readOption(QStringLiteral("Autoplay"), false);
        Autoplay1->setChecked(DoAutoplay);
    }
    readOptions();
    Deal(true, true);
    if (keepUnfinishedGames())
        restoreKeptGame();
    help->windowCreated();
}

// ---- the deal ---------------------------------------------------------------------

void GameWindow::Deal(bool silent, bool newDeck)
{
    ++journalPaused;
    ShowScore();
    for (TCardPileView *view : std::as_const(views))
        if (isHidden(view))
            view->Cards->Empty(false);
    TCardPile *deck = dealingView()->Cards;
    if (newDeck) {
        unlockOptions();
        for (int i = 0; i < description.decks; ++i)
            deck->AddDeck();
        deck->Shuffle();
        SavedDeal->Empty(false);
        deck->CopyPileTo(SavedDeal);
        if (!silent)
            play(&TSoundManager::PlayShuffle);
    } else {
        SavedDeal->CopyPileTo(deck);
        if (description.restartFaceDown)
            for (int i = 0; i < deck->Count(); ++i)
                deck->CardAt(i)->FaceUp = false;
        play(&TSoundManager::PlayRestart);
    }
    animating = !silent && animationOn();
    dealCards(animating);
    animating = false;
    for (TCardPileView *view : std::as_const(views))
        view->update();
    MoveCount = 0;
    UndoList->Clear();
    GameOver = false;
    finishDeal();
    refreshTable();
    --journalPaused;
    rebaseJournal();
    openingMove();
    refreshTable();
    startRecord();
    Q_EMIT tableDealt();
}

TCard *GameWindow::dealCard(TCardPileView *onto, bool faceUp, bool animate)
{
    TCardPile *deck = dealingView()->Cards;
    TCard *card = deck->CardAt(TCardPile::Top);
    if (!card)
        return nullptr;
    deck->RemoveCard(card);
    card->FaceUp = faceUp;
    onto->Cards->AddCard(card);
    showWhileHolding(onto);
    if (animate)
        onto->Paint();
    return card;
}

void GameWindow::playDealStep(TCardPileView *dealingView)
{
    if (!animating)
        return;
    dealingView->Paint();
    play(&TSoundManager::PlayDeal);
}

void GameWindow::emptyAllPiles(bool freeCards)
{
    for (TCardPileView *view : std::as_const(views)) {
        view->Cards->Empty(freeCards);
        view->DragPile->Empty(false);
        view->update();
    }
}

void GameWindow::NewGame1Click(QObject *sender)
{
    const bool restart = sender == Restart1;
    if (MoveCount > description.promptThreshold && !GameOver) {
        if (restart ? !Dialogs::confirm(this, description.restartPrompt()) : !mayLeaveGame())
            return;
    }
    forgetKeptGame();
    recordLeftGame();
    if (!restart && help->seekWinnableDeal())
        return;
    emptyAllPiles(!restart);
    Deal(false, !restart);
}
