// SPDX-License-Identifier: MIT
#include "games/GameForm.h"

#include "cards/Rules.h"
#include "platform/Dialogs.h"
#include "platform/DragManager.h"
#include "platform/FormPlacement.h"
#include "platform/Help.h"
#include "platform/Screen.h"
#include "platform/SoundPlayer.h"
#include "shell/Background.h"
#include "shell/Preferences.h"
#include "shell/Profile.h"
#include "shell/SolitaireWindow.h"
#include "shell/Sounds.h"
#include "shell/WinWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QTimer>

TGameForm::TGameForm(GameDescription gameDescription, CardScale cardScale, QWidget *parent)
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
    buildMenu();
    applySizeLimits();
    resize(Size().clientWidth, Size().clientHeight);
    Profile1 = new TProfile(QStringLiteral("Solitaire.ini"), Size().optionsSection, QStringLiteral("None"), this);
    FormPlacement1 = new TFormPlacement(this);
    FormPlacement1->IniFileName = QStringLiteral("Solitaire.ini");
    FormPlacement1->IniSection = Size().placementSection;
    FormPlacement1->Options = description.placementState ? (fpState | fpPosition) : TPlacementOptions(fpPosition);
    zBackground1 = new TzBackground(this);
    SavedDeal = new TCardPile(this);
    UndoList = new TCardUndo(this);
    UndoList->SetMenuItem(Undo1);
    // The bare table, the stock and the waste accept exactly when a target is set.
    OnDragOver = [](QObject *, QObject *source, int, int, TDragState, bool &accept) {
        const TCardPileView *view = AsView(source);
        accept = view && view->DropTarget;
    };
    wireViews();
}

TGameForm::~TGameForm()
{
    EmptyAllPiles(true);
    SavedDeal->Empty(false);
    delete SavedDeal;
    delete UndoList;
}

// ---- building -----------------------------------------------------------------

void TGameForm::buildViews()
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
        view->ManualDrop = row.flags & DropByHand;
        view->DragDelayed = row.flags & DelayedDrag;
        view->State = row.state;
        if (row.color.isValid())
            view->Color = row.color;
        if (row.flags & Hidden)
            view->hide();
        views.append(view);
    }
}

void TGameForm::wireViews()
{
    for (TCardPileView *view : views) {
        view->OnMouseDown = [this](QObject *sender, TMouseButton button, TShiftState shift, int, int) {
            ViewMouseDown(AsView(sender), button, shift);
        };
        view->OnStartDrag = [this](QObject *sender) { ViewStartDrag(AsView(sender)); };
        view->OnEndDrag = [this](QObject *sender, QObject *, int, int) { ViewEndDrag(AsView(sender)); };
        view->OnDragOver = [this](QObject *sender, QObject *source, int, int, TDragState, bool &accept) {
            TCardPileView *from = AsView(source);
            if (from)
                ViewDragOver(AsView(sender), from);
            accept = from && from->DropTarget;
        };
        if (sendsHome(view))
            view->OnDblClick = [this](QObject *sender) { SendHome(AsView(sender)); };
        if (RoleOf(view) == PileRole::Stock)
            view->OnClick = [this](QObject *) { DeckPileViewClick(); };
    }
}

QAction *TGameForm::addMenuItem(const QString &name, const QString &caption, QKeySequence shortcut,
                                std::function<void()> handler, QAction *before)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    // Nothing that touches the piles runs while cards are in the player's hand.
    if (handler)
        connect(action, &QAction::triggered, this, [handler = std::move(handler)] {
            if (!DragUnderWay())
                handler();
        });
    PopupMenu1->insertAction(before, action);
    addAction(action);
    return action;
}

void TGameForm::buildMenu()
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

void TGameForm::applySizeLimits()
{
    const WindowSize &size = Size();
    const int frameAndCaption = Screen::captionHeight() + 2 * Screen::frameHeight();
    setMinimumWidth(size.trackingWidth);
    setMaximumWidth(size.trackingWidth);
    if (size.fixedHeight) {
        setMinimumHeight(size.clientHeight);
        setMaximumHeight(size.clientHeight);
    } else if (size.minimumHeight > 0) {
        setMinimumHeight(qMax(0, size.minimumHeight - frameAndCaption));
    }
}

void TGameForm::FormCreate()
{
    ApplyBackground();
    if (description.hasAutoplay) {
        DoAutoplay = ReadOption(QStringLiteral("Autoplay"), false);
        Autoplay1->setChecked(DoAutoplay);
    }
    readOptions();
    Deal(true, true);
}

// ---- views and roles ------------------------------------------------------------

const PileViewRow &TGameForm::rowOf(const TCardPileView *view) const
{
    return description.layout.rows()[std::size_t(views.indexOf(view))];
}

PileRole TGameForm::RoleOf(const TCardPileView *view) const
{
    return views.contains(view) ? rowOf(view).role : PileRole::Other;
}

bool TGameForm::isHidden(const TCardPileView *view) const { return rowOf(view).flags & Hidden; }

bool TGameForm::sendsHome(const TCardPileView *view) const { return rowOf(view).flags & SendsHome; }

TCardPileView *TGameForm::View(const QString &name) const
{
    for (TCardPileView *view : views)
        if (view->objectName() == name)
            return view;
    return nullptr;
}

QList<TCardPileView *> TGameForm::ViewsOf(PileRole role) const
{
    QList<TCardPileView *> group;
    for (TCardPileView *view : views)
        if (RoleOf(view) == role)
            group.append(view);
    return group;
}

QString TGameForm::DealText() const
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

void TGameForm::Play(void (TSoundManager::*sound)())
{
    if (SoundManager)
        (SoundManager->*sound)();
}

bool TGameForm::DragUnderWay()
{
    const TDragManager &drags = TDragManager::instance();
    return drags.pending() || drags.active();
}

// ---- the deal ---------------------------------------------------------------------

void TGameForm::Deal(bool silent, bool newDeck)
{
    ShowScore();
    for (TCardPileView *view : std::as_const(views))
        if (isHidden(view))
            view->Cards->Empty(false);
    TCardPile *deck = DealingView()->Cards;
    if (newDeck) {
        UnlockOptions();
        for (int i = 0; i < description.decks; ++i)
            deck->AddDeck();
        deck->Shuffle();
        SavedDeal->Empty(false);
        deck->CopyPileTo(SavedDeal);
        if (!silent)
            Play(&TSoundManager::PlayShuffle);
    } else {
        SavedDeal->CopyPileTo(deck);
        if (description.restartFaceDown)
            for (int i = 0; i < deck->Count(); ++i)
                deck->CardAt(i)->FaceUp = false;
        Play(&TSoundManager::PlayRestart);
    }
    animating = !silent && PreferencesDlg && PreferencesDlg->DoAnimation;
    DealCards(animating);
    animating = false;
    for (TCardPileView *view : std::as_const(views))
        view->update();
    MoveCount = 0;
    UndoList->Clear();
    GameOver = false;
    FinishDeal();
    Q_EMIT tableDealt();
}

TCard *TGameForm::DealCard(TCardPileView *onto, bool faceUp, bool animate)
{
    TCardPile *deck = DealingView()->Cards;
    TCard *card = deck->CardAt(TCardPile::Top);
    if (!card)
        return nullptr;
    deck->RemoveCard(card);
    card->FaceUp = faceUp;
    onto->Cards->AddCard(card);
    if (animate)
        onto->Paint();
    return card;
}

void TGameForm::PlayDealStep(TCardPileView *dealingView)
{
    if (!animating)
        return;
    dealingView->Paint();
    Play(&TSoundManager::PlayDeal);
}

void TGameForm::EmptyAllPiles(bool freeCards)
{
    for (TCardPileView *view : std::as_const(views)) {
        view->Cards->Empty(freeCards);
        view->DragPile->Empty(false);
        view->update();
    }
}

void TGameForm::NewGame1Click(QObject *sender)
{
    const bool restart = sender == Restart1;
    if (MoveCount > description.promptThreshold && !GameOver) {
        if (restart ? !Dialogs::confirm(this, description.restartPrompt) : !FormCloseQuery())
            return;
    }
    EmptyAllPiles(!restart);
    Deal(false, !restart);
}

// ---- closing ---------------------------------------------------------------------

bool TGameForm::FormCloseQuery()
{
    const bool allowed = MoveCount < description.promptThreshold || GameOver || Dialogs::confirm(this, description.quitPrompt);
    if (SolitaireForm)
        SolitaireForm->CanCloseGames = allowed;
    return allowed;
}

void TGameForm::FormClose()
{
    EmptyAllPiles(true);
    SavedDeal->Empty(false);
    UndoList->Clear();
}

void TGameForm::closeEvent(QCloseEvent *event)
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
    if (DragUnderWay())
        TDragManager::instance().cancel();
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

int TGameForm::ComputeScore() const
{
    int score = 0;
    for (const TCardPileView *foundation : ViewsOf(PileRole::Foundation))
        score += foundation->Cards->Count();
    return score;
}

int TGameForm::ShowScore()
{
    Score = ComputeScore();
    setWindowTitle(Score > 0 ? description.scorePrefix + QString::number(Score) : description.caption);
    return Score;
}

void TGameForm::CheckWin()
{
    ShowScore();
    // Once won, a later check (a click on an empty pile, say) does not celebrate again.
    if (!GameOver && IsWon()) {
        GameOver = true;
        ShowWinForm(this);
    }
    AutoplayPass();
}

// ---- menu items ------------------------------------------------------------------------

void TGameForm::Autoplay1Click()
{
    DoAutoplay = !DoAutoplay;
    Autoplay1->setChecked(DoAutoplay);
    WriteOption(QStringLiteral("Autoplay"), DoAutoplay);
}

void TGameForm::ApplyBackground()
{
    QList<TCardPileView *> table;
    for (TCardPileView *view : std::as_const(views))
        if (!isHidden(view))
            table.append(view);
    ApplyTableBackground(this, zBackground1, table);
}

void TGameForm::Preferences1Click()
{
    if (PreferencesDlg)
        Dialogs::execModal(PreferencesDlg);
    ApplyBackground();
    update();
    for (TCardPileView *view : std::as_const(views))
        view->update();
}

void TGameForm::About1Click() { Help::showTopic(this, description.helpTopic); }

// ---- window events ---------------------------------------------------------------------

void TGameForm::FormResize()
{
    const WindowSize &size = Size();
    if (size.columnHeightMargin > 0)
        for (TCardPileView *column : ViewsOf(PileRole::Column))
            column->resize(column->width(), height() - size.columnHeightMargin);
    if (size.anchorMargin > 0)
        for (TCardPileView *view : AnchoredViews())
            view->move(view->x(), height() - size.anchorMargin);
}

void TGameForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TGameForm::contextMenuEvent(QContextMenuEvent *event)
{
    if (!DragUnderWay())
        PopupMenu1->popup(event->globalPos());
}

void TGameForm::keyPressEvent(QKeyEvent *event)
{
    if (DragUnderWay())
        return;
    if (event->key() == Qt::Key_F1) {
        About1Click();
        return;
    }
    if (!event->text().isEmpty())
        FormKeyPress(event->text().at(0));
    QWidget::keyPressEvent(event);
}

void TGameForm::mousePressEvent(QMouseEvent *event)
{
    const TMouseButton button = event->button() == Qt::MiddleButton ? mbMiddle
                              : event->button() == Qt::RightButton  ? mbRight
                                                                    : mbLeft;
    TShiftState shift = 0;
    if (event->modifiers() & Qt::ShiftModifier)
        shift |= ssShift;
    if (event->modifiers() & Qt::ControlModifier)
        shift |= ssCtrl;
    if (!DragUnderWay())
        FormMouseDown(button, shift);
    QWidget::mousePressEvent(event);
}
