// SPDX-License-Identifier: MIT
#include "games/GameForm.h"

#include "platform/Dialogs.h"
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

namespace {
constexpr TColor tableGreen = clDarkGreen;
}  // namespace

QString CardText(const TCard *card)
{
    static const char ranks[] = "A23456789TJQK";
    static const char suits[] = "CSDH";
    QString text = QString(QLatin1Char(ranks[card->Value])) + QLatin1Char(suits[card->Suit]);
    return card->FaceUp ? text : text.toLower();
}

TGameForm::TGameForm(GameWindowValues gameValues, QWidget *parent)
    : QWidget(parent, Qt::Window), values(std::move(gameValues))
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(values.caption);
    QPalette table = palette();
    table.setColor(QPalette::Window, QColorFromColor(tableGreen));
    setPalette(table);
    setAutoFillBackground(true);
    buildViews();
    buildMenu();
    applySizeLimits();
    resize(values.clientWidth, values.clientHeight);
    Profile1 = new TProfile(QStringLiteral("Solitaire.ini"), values.optionsSection, QStringLiteral("None"), this);
    FormPlacement1 = new TFormPlacement(this);
    FormPlacement1->IniFileName = QStringLiteral("Solitaire.ini");
    FormPlacement1->IniSection = values.placementSection;
    FormPlacement1->Options = values.placementState ? (fpState | fpPosition) : TPlacementOptions(fpPosition);
    zBackground1 = new TzBackground(this);
    OnDragOver = [](QObject *, QObject *source, int, int, TDragState, bool &accept) {
        const TCardPileView *view = SourceView(source);
        accept = view && view->DropTarget;
    };
}

TGameForm::~TGameForm()
{
    EmptyAllPiles(true);
    if (SavedDeal)
        SavedDeal->Empty(false);
    delete SavedDeal;
    delete UndoList;
}

void TGameForm::buildViews()
{
    for (const PileViewRow &row : values.layout) {
        auto *view = new TCardPileView(this);
        view->setObjectName(QString::fromLatin1(row.name));
        view->SetBounds(row.left, row.top, row.width, row.height);
        view->XOffset = row.xOffset;
        view->YOffset = row.yOffset;
        view->IsBordered = row.bordered;
        view->AllowDrag = row.allowDrag;
        view->State = row.state;
        views.append(view);
    }
}

QAction *TGameForm::AddOptionItem(const QString &name, const QString &caption, std::function<void()> handler)
{
    if (!optionSeparator) {
        optionSeparator = new QAction(this);
        optionSeparator->setSeparator(true);
        PopupMenu1->insertAction(NewGame1, optionSeparator);
    }
    auto *item = new QAction(caption, this);
    item->setObjectName(name);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [handler] { handler(); });
    PopupMenu1->insertAction(optionSeparator, item);
    addAction(item);
    return item;
}

void TGameForm::buildMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto item = [this](const char *name, const QString &caption, QKeySequence shortcut, auto slot) {
        auto *action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, slot);
        PopupMenu1->addAction(action);
        addAction(action);
        return action;
    };
    Undo1 = item("Undo1", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { Undo1Click(); });
    Undo1->setEnabled(false);
    PopupMenu1->addSeparator();
    if (values.hasAutoplay) {
        Autoplay1 = item("Autoplay1", values.autoplayCaption, QKeySequence(Qt::CTRL | Qt::Key_A), [this] { Autoplay1Click(); });
        Autoplay1->setCheckable(true);
        PopupMenu1->addSeparator();
    }
    NewGame1 = item("NewGame1", QStringLiteral("&New Game"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { NewGame1Click(NewGame1); });
    Restart1 = item("Restart1", QStringLiteral("&Restart"), QKeySequence(), [this] { NewGame1Click(Restart1); });
    Preferences1 = item("Preferences1", QStringLiteral("&Preferences..."), QKeySequence(), [this] { Preferences1Click(); });
    About1 = item("About1", QStringLiteral("Rule&s..."), QKeySequence(), [this] { About1Click(); });
}

void TGameForm::applySizeLimits()
{
    const int frameAndCaption = Screen::captionHeight() + 2 * Screen::frameHeight();
    setMinimumWidth(values.trackingWidth);
    setMaximumWidth(values.trackingWidth);
    setMinimumHeight(values.minimumHeight - frameAndCaption);
    if (values.maximumHeight > 0)
        setMaximumHeight(values.maximumHeight - frameAndCaption);
}

void TGameForm::FormCreate()
{
    ApplyBackground();
    if (values.hasAutoplay) {
        DoAutoplay = ReadOption(QStringLiteral("Autoplay"), false);
        Autoplay1->setChecked(DoAutoplay);
    }
    ReadOptions();
    SavedDeal = new TCardPile(this);
    UndoList = new TCardUndo(this);
    UndoList->SetMenuItem(Undo1);
    for (int i = 0; i < views.size(); ++i)
        if (values.layout[static_cast<std::size_t>(i)].hidden)
            views[i]->hide();
    Deal(true, true);
}

TCardPileView *TGameForm::View(const QString &name) const
{
    for (TCardPileView *view : views)
        if (view->objectName() == name)
            return view;
    return nullptr;
}

QList<TCardPileView *> TGameForm::ViewsNamed(const QString &prefix, int count) const
{
    QList<TCardPileView *> group;
    for (int i = 1; i <= count; ++i)
        group.append(View(prefix + QString::number(i)));
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

bool TGameForm::ReadOption(const QString &key, bool defaultValue) { return Profile1->ReadBool(key, defaultValue); }

void TGameForm::WriteOption(const QString &key, bool value) { Profile1->WriteBool(key, value); }

TCardPileView *TGameForm::SourceView(QObject *source) { return qobject_cast<TCardPileView *>(source); }

void TGameForm::Play(void (TSoundManager::*sound)())
{
    if (SoundManager)
        (SoundManager->*sound)();
}

void TGameForm::WireDropCheck(TCardPileView *view, std::function<bool(TCardPileView *, TCardPileView *)> check)
{
    view->OnDragOver = [check](QObject *sender, QObject *source, int, int, TDragState, bool &accept) {
        TCardPileView *from = SourceView(source);
        if (from)
            check(AsView(sender), from);
        accept = from && from->DropTarget;
    };
}

void TGameForm::RecordDrag(TCardPileView *source)
{
    UndoList->AddPileMove(source, source->DropTarget, source->DragPile);
}

// ---- deal -------------------------------------------------------------------

void TGameForm::Deal(bool silent, bool newDeck)
{
    ShowScore();
    for (int i = 0; i < views.size(); ++i)
        if (values.layout[static_cast<std::size_t>(i)].hidden)
            views[i]->Cards->Empty(false);
    TCardPile *deck = DealingView()->Cards;
    if (newDeck) {
        UnlockOptions();
        for (int i = 0; i < values.decks; ++i)
            deck->AddDeck();
        deck->Shuffle();
        SavedDeal->Empty(false);
        deck->CopyPileTo(SavedDeal);
        if (!silent)
            Play(&TSoundManager::PlayShuffle);
    } else {
        SavedDeal->CopyPileTo(deck);
        for (int i = 0; i < deck->Count(); ++i)
            deck->CardAt(i)->FaceUp = false;
        Play(&TSoundManager::PlayRestart);
    }
    animating = !silent && PreferencesDlg && PreferencesDlg->DoAnimation;
    DealCards(animating);
    animating = false;
    for (TCardPileView *view : views)
        view->update();
    MoveCount = 0;
    UndoList->Clear();
    GameOver = false;
    FinishDeal();
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
    for (TCardPileView *view : views) {
        view->Cards->Empty(freeCards);
        view->update();
    }
}

void TGameForm::NewGame1Click(QObject *sender)
{
    const bool restart = sender == Restart1;
    if (MoveCount > values.promptThreshold && !GameOver) {
        if (restart ? !Dialogs::confirm(this, values.restartPrompt) : !FormCloseQuery())
            return;
    }
    EmptyAllPiles(!restart);
    Deal(false, !restart);
}

// ---- closing ------------------------------------------------------------------

bool TGameForm::FormCloseQuery()
{
    const bool allowed = MoveCount < values.promptThreshold || GameOver || Dialogs::confirm(this, values.quitPrompt);
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
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    FormClose();
    event->accept();
}

// ---- undo, score, win -----------------------------------------------------------

void TGameForm::UndoOrdinaryRecord()
{
    UndoList->UndoLast();
    if (!UndoList->LastSource)
        return;
    UndoList->LastSource->Paint();
    UndoList->LastTarget->Paint();
    UndoList->DropLast();
}

void TGameForm::Undo1Click()
{
    UndoList->PeekLast();
    if (!UndoList->LastSource)
        return;
    if (!UndoSpecialRecord())
        UndoOrdinaryRecord();
    // A turnover of the waste is undone on a click of its own without having been
    // counted, so the count stops at zero rather than going below it.
    MoveCount = qMax(0, MoveCount - 1);
    Play(&TSoundManager::PlayUndo);
    AfterUndo();
    ShowScore();
}

int TGameForm::ShowScore()
{
    Score = ComputeScore();
    setWindowTitle(Score > 0 ? values.scorePrefix + QString::number(Score) : values.caption);
    return Score;
}

void TGameForm::CheckWin()
{
    ShowScore();
    // Once won, a later check (a click on an empty pile, say) does not celebrate again.
    if (Score >= values.winningScore && !GameOver) {
        GameOver = true;
        ShowWinForm(this);
    }
    if (values.hasAutoplay && DoAutoplay)
        AutoplayPass();
}

// ---- menu items -------------------------------------------------------------------

void TGameForm::Autoplay1Click()
{
    DoAutoplay = !DoAutoplay;
    Autoplay1->setChecked(DoAutoplay);
    WriteOption(QStringLiteral("Autoplay"), DoAutoplay);
}

void TGameForm::ApplyBackground()
{
    QList<TCardPileView *> table;
    for (int i = 0; i < views.size(); ++i)
        if (!values.layout[static_cast<std::size_t>(i)].hidden)
            table.append(views[i]);
    ApplyTableBackground(this, zBackground1, table);
}

void TGameForm::Preferences1Click()
{
    if (PreferencesDlg)
        Dialogs::execModal(PreferencesDlg);
    ApplyBackground();
    update();
    for (TCardPileView *view : views)
        view->update();
}

void TGameForm::About1Click() { Help::showTopic(this, values.helpTopic); }

// ---- window events -------------------------------------------------------------------

void TGameForm::FormResize()
{
    for (TCardPileView *column : columns)
        column->resize(column->width(), height() - values.columnHeightMargin);
}

void TGameForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TGameForm::contextMenuEvent(QContextMenuEvent *event) { PopupMenu1->popup(event->globalPos()); }

void TGameForm::keyPressEvent(QKeyEvent *event)
{
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
    FormMouseDown(button, shift, event->position().toPoint().x(), event->position().toPoint().y());
    QWidget::mousePressEvent(event);
}
