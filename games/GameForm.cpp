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

// ---- options ------------------------------------------------------------------

QAction *TGameForm::addCheckItem(const QString &name, const QString &caption)
{
    if (!optionSeparator) {
        optionSeparator = new QAction(this);
        optionSeparator->setSeparator(true);
        PopupMenu1->insertAction(NewGame1, optionSeparator);
    }
    QAction *item = addMenuItem(name, caption, QKeySequence(), {}, optionSeparator);
    item->setCheckable(true);
    optionItems.append(item);
    return item;
}

QAction *TGameForm::AddOption(const QString &itemName, const QString &caption, const QString &key,
                              bool defaultValue, bool *member)
{
    QAction *item = addCheckItem(itemName, caption);
    options.append({item, key, defaultValue, member});
    connect(item, &QAction::triggered, this, [this, item, key, member] {
        if (DragUnderWay()) {
            item->setChecked(*member);
            return;
        }
        *member = item->isChecked();
        WriteOption(key, *member);
    });
    return item;
}

TGameForm::Choice TGameForm::AddChoice(const QString &trueName, const QString &trueCaption, const QString &falseName,
                                       const QString &falseCaption, const QString &key, bool defaultValue,
                                       bool *member, bool lockable)
{
    const Choice items{addCheckItem(trueName, trueCaption), addCheckItem(falseName, falseCaption)};
    *member = defaultValue;
    choices.append({items, key, member, lockable});
    const int index = int(choices.size()) - 1;
    for (const bool value : {true, false})
        connect(value ? items.whenTrue : items.whenFalse, &QAction::triggered, this, [this, index, value] {
            ChoiceGroup &group = choices[index];
            choose(group, DragUnderWay() ? *group.member : value, !DragUnderWay());
        });
    choose(choices[index], defaultValue, false);
    return items;
}

void TGameForm::choose(ChoiceGroup &group, bool value, bool write)
{
    *group.member = value;
    group.items.whenTrue->setChecked(value);
    group.items.whenFalse->setChecked(!value);
    if (write)
        WriteOption(group.key, value);
}

void TGameForm::readOptions()
{
    for (const OptionBinding &option : std::as_const(options)) {
        *option.member = ReadOption(option.key, option.defaultValue);
        option.item->setChecked(*option.member);
    }
    for (ChoiceGroup &group : choices)
        choose(group, ReadOption(group.key, *group.member), false);
}

void TGameForm::LockChoices()
{
    for (const ChoiceGroup &group : std::as_const(choices))
        if (group.lockable)
            (*group.member ? group.items.whenFalse : group.items.whenTrue)->setEnabled(false);
}

void TGameForm::UnlockOptions()
{
    for (const ChoiceGroup &group : std::as_const(choices)) {
        group.items.whenTrue->setEnabled(true);
        group.items.whenFalse->setEnabled(true);
    }
}

QAction *TGameForm::AddCommand(const QString &name, const QString &caption, std::function<void()> handler)
{
    return addMenuItem(name, caption, QKeySequence(), std::move(handler), Preferences1);
}

bool TGameForm::ReadOption(const QString &key, bool defaultValue) { return Profile1->ReadBool(key, defaultValue); }

void TGameForm::WriteOption(const QString &key, bool value) { Profile1->WriteBool(key, value); }

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
    if (MoveCount > description.promptMoves && !GameOver) {
        if (restart ? !Dialogs::confirm(this, description.restartPrompt) : !FormCloseQuery())
            return;
    }
    EmptyAllPiles(!restart);
    Deal(false, !restart);
}

// ---- the drag protocol and the shared gestures ----------------------------------------

void TGameForm::ViewMouseDown(TCardPileView *view, TMouseButton button, TShiftState shift)
{
    if (button == mbMiddle) {
        DeckPileViewClick();
        return;
    }
    view->CanDrag = false;
    TCard *card = view->SelectedCard;
    if (button != mbLeft || !card)
        return;
    if ((shift & (ssShift | ssCtrl)) && sendsHome(view)) {
        SendHome(view);
        return;
    }
    view->CanDrag = view->AllowDrag && MayDrag(view, card);
}

QList<TCardPileView *> TGameForm::DefaultTargets() const
{
    return ViewsOf(PileRole::Column) + ViewsOf(PileRole::Foundation);
}

void TGameForm::ViewStartDrag(TCardPileView *source)
{
    if (!source->DropTarget) {
        for (TCardPileView *target : DefaultTargets())
            if (target != source && MayDrop(target, source, source->DragPile)) {
                source->DropTarget = target;
                break;
            }
    }
    source->Paint();
}

void TGameForm::ViewDragOver(TCardPileView *target, TCardPileView *source)
{
    if (target != source && MayDrop(target, source, source->DragPile))
        source->DropTarget = target;
}

void TGameForm::ViewEndDrag(TCardPileView *source)
{
    if (!source->DropTarget)
        return;
    RecordDrag(source);
    AfterMove(source);
    MoveDone();
}

void TGameForm::RecordDrag(TCardPileView *source)
{
    UndoList->AddPileMove(source, source->DropTarget, source->DragPile);
}

void TGameForm::MoveDone()
{
    ++MoveCount;
    CheckWin();
}

TCard *TGameForm::MoveTopCard(TCardPileView *from, TCardPileView *to)
{
    TCard *card = from->Cards->CardAt(TCardPile::Top);
    if (!card)
        return nullptr;
    from->Cards->RemoveCard(card);
    to->Cards->AddCard(card);
    from->Paint();
    to->Paint();
    UndoList->AddCardMove(from, to, card);
    return card;
}

bool TGameForm::TurnUpTop(TCardPileView *view)
{
    TCard *top = view->Cards->CardAt(TCardPile::Top);
    if (!top || top->FaceUp)
        return false;
    top->FaceUp = true;
    view->Paint();
    UndoList->AddCardMove(view, view, top);
    return true;
}

TCardPileView *TGameForm::HomeFor(const TCard *card) const
{
    for (TCardPileView *foundation : ViewsOf(PileRole::Foundation))
        if (Rules::FitsFoundation(card, foundation->Cards))
            return foundation;
    return nullptr;
}

void TGameForm::SendHome(TCardPileView *view)
{
    TCard *card = view->Cards->CardAt(TCardPile::Top);
    TCardPileView *home = card && card->FaceUp ? HomeFor(card) : nullptr;
    if (!home)
        return;
    MoveTopCard(view, home);
    Play(&TSoundManager::PlayAutoplay);
    // What the send caused is booked before the autoplay pass that the win check
    // runs, so that an undo pairs each send with its own follow-ups.
    AfterMove(view);
    MoveDone();
}

QList<TCardPileView *> TGameForm::AutoplaySources() const
{
    return ViewsOf(PileRole::Column) + ViewsOf(PileRole::Cell) + ViewsOf(PileRole::Waste);
}

void TGameForm::AutoplayPass()
{
    if (!description.hasAutoplay || !DoAutoplay)
        return;
    for (TCardPileView *view : AutoplaySources()) {
        TCard *top = view->Cards->CardAt(TCardPile::Top);
        if (top && top->FaceUp && HomeFor(top)) {
            SendHome(view);
            return;  // the send's own win check runs the next pass
        }
    }
}

void TGameForm::FormMouseDown(TMouseButton button, TShiftState)
{
    if (button == mbMiddle)
        DeckPileViewClick();
}

void TGameForm::FormKeyPress(QChar key)
{
    if (key == QLatin1Char(' '))
        DeckPileViewClick();
}

// ---- closing ---------------------------------------------------------------------

bool TGameForm::FormCloseQuery()
{
    const bool allowed =
        MoveCount < description.promptMoves || GameOver || Dialogs::confirm(this, description.quitPrompt);
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

// ---- undo, score, win ---------------------------------------------------------------

void TGameForm::UndoOrdinaryRecord()
{
    UndoList->PeekLast();
    if (!UndoList->LastSource)
        return;
    UndoList->UndoLast();
    UndoList->LastSource->Paint();
    UndoList->LastTarget->Paint();
    UndoList->DropLast();
}

void TGameForm::UndoTurnRecord()
{
    UndoList->PeekLast();
    UndoList->UndoLast();
    if (TCard *top = UndoList->LastSource->Cards->CardAt(TCardPile::Top))
        top->FaceUp = false;
    UndoList->LastSource->Paint();
    UndoList->DropLast();
}

int TGameForm::UndoLastAction()
{
    // A turned-up card goes back with the move that exposed it.
    UndoList->PeekLast();
    if (UndoList->LastSource == UndoList->LastTarget)
        UndoTurnRecord();
    UndoOrdinaryRecord();
    return 1;
}

void TGameForm::Undo1Click()
{
    UndoList->PeekLast();
    if (!UndoList->LastSource)
        return;
    MoveCount = qMax(0, MoveCount - UndoLastAction());
    Play(&TSoundManager::PlayUndo);
    AfterUndo();
    ShowScore();
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
