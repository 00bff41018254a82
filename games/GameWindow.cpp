// SPDX-License-Identifier: MIT
#include "games/GameWindow.h"

#include "cards/Rules.h"
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
    // The bare table accepts exactly when a target is set; where targets do not stick,
    // it never does.
    OnDragOver = [this](QObject *, QObject *source, int, int, DragState, bool &accept) {
        TCardPileView *view = ownView(source);
        if (view && !description.dropTargetSticks)
            view->DropTarget = nullptr;
        accept = view && view->DropTarget;
    };
    wireViews();
}

GameWindow::~GameWindow()
{
    emptyAllPiles(true);
    SavedDeal->Empty(false);
    delete SavedDeal;
    delete UndoList;
}

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
            view->OnDblClick = [this](QObject *sender) { sendHome(asView(sender)); };
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
        connect(action, &QAction::triggered, this, [handler = std::move(handler)] {
            if (!dragUnderWay())
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

// ---- the deal ---------------------------------------------------------------------

void GameWindow::Deal(bool silent, bool newDeck)
{
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
    joinedRecords.clear();
    GameOver = false;
    finishDeal();
    refreshTable();
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
        if (restart ? !Dialogs::confirm(this, description.restartPrompt()) : !FormCloseQuery())
            return;
    }
    emptyAllPiles(!restart);
    Deal(false, !restart);
}

// ---- closing ---------------------------------------------------------------------

bool GameWindow::FormCloseQuery()
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
    ShowScore();
    // Once won, a later check (a click on an empty pile, say) does not celebrate again.
    if (!GameOver && Score >= description.winningScore) {
        GameOver = true;
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
