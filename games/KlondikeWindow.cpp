// SPDX-License-Identifier: MIT
#include "games/KlondikeWindow.h"

#include "cards/Rules.h"
#include "shell/Sounds.h"

#include <QAction>

QPointer<TKlondikeForm> KlondikeForm;
QPointer<TsKlondikeForm> sKlondikeForm;

namespace {

GameWindowValues klondikeValues()
{
    GameWindowValues v;
    v.caption = QStringLiteral("Klondike");
    v.scorePrefix = QStringLiteral("Klondike   Score: ");
    v.optionsSection = v.placementSection = QStringLiteral("Klondike");
    v.helpTopic = 1007;
    v.restartPrompt = QStringLiteral("Restart this game of Klondike?");
    v.quitPrompt = QStringLiteral("Quit this game of Klondike?");
    return v;
}

GameWindowValues largeValues()
{
    GameWindowValues v = klondikeValues();
    v.clientWidth = 672, v.clientHeight = 491, v.trackingWidth = 672, v.minimumHeight = 480;
    v.columnHeightMargin = 154;
    v.layout = {
        {"DeckPileView", 8, 8, 121, 129, 1.0f, 0.2f, false, false, FS_RECYCLE},
        {"DiscardPileView", 144, 8, 137, 129, 20.0f, 2.0f, false, true},
        {"FoundationPile1", 296, 8, 80, 125, 0, 0, true},
        {"FoundationPile2", 392, 8, 80, 125, 0, 0, true},
        {"FoundationPile3", 488, 8, 80, 125, 0, 0, true},
        {"FoundationPile4", 584, 8, 80, 125, 0, 0, true},
        {"TableauPileView1", 8, 152, 80, 337, 0, 20.0f, false, true},
        {"TableauPileView2", 104, 152, 80, 337, 0, 20.0f, false, true},
        {"TableauPileView3", 200, 152, 80, 337, 0, 20.0f, false, true},
        {"TableauPileView4", 296, 152, 80, 337, 0, 20.0f, false, true},
        {"TableauPileView5", 392, 152, 80, 337, 0, 20.0f, false, true},
        {"TableauPileView6", 488, 152, 80, 337, 0, 20.0f, false, true},
        {"TableauPileView7", 584, 152, 80, 337, 0, 20.0f, false, true},
        {"RecyclePileView", 640, 112, 25, 25, 0, 0, false, false, FS_BLANK, true},
    };
    return v;
}

GameWindowValues smallValues()
{
    GameWindowValues v = klondikeValues();
    v.placementSection = QStringLiteral("sKlondike");
    v.clientWidth = 510, v.clientHeight = 392, v.trackingWidth = 510, v.minimumHeight = 300;
    v.columnHeightMargin = 122;
    v.layout = {
        {"DeckPileView", 8, 8, 96, 101, 1.0f, 0.2f, false, false, FS_RECYCLE},
        {"DiscardPileView", 120, 8, 107, 101, 20.0f, 2.0f, false, true},
        {"FoundationPile1", 248, 8, 61, 95, 0, 0, true},
        {"FoundationPile2", 312, 8, 61, 95, 0, 0, true},
        {"FoundationPile3", 376, 8, 61, 95, 0, 0, true},
        {"FoundationPile4", 440, 8, 61, 95, 0, 0, true},
        {"TableauPileView1", 8, 120, 61, 270, 0, 16.0f, false, true},
        {"TableauPileView2", 80, 120, 61, 270, 0, 16.0f, false, true},
        {"TableauPileView3", 152, 120, 61, 270, 0, 16.0f, false, true},
        {"TableauPileView4", 224, 120, 61, 270, 0, 16.0f, false, true},
        {"TableauPileView5", 296, 120, 61, 270, 0, 16.0f, false, true},
        {"TableauPileView6", 368, 120, 61, 270, 0, 16.0f, false, true},
        {"TableauPileView7", 440, 120, 61, 270, 0, 16.0f, false, true},
        {"RecyclePileView", 464, 104, 25, 25, 0, 0, false, false, FS_BLANK, true},
    };
    return v;
}

}  // namespace

TKlondikeForm::TKlondikeForm(QWidget *parent) : TKlondikeForm(largeValues(), parent) {}

TsKlondikeForm::TsKlondikeForm(QWidget *parent) : TKlondikeForm(smallValues(), parent) {}

TKlondikeForm::TKlondikeForm(GameWindowValues gameValues, QWidget *parent)
    : TGameForm(std::move(gameValues), parent),
      DeckPileView(View(QStringLiteral("DeckPileView"))),
      DiscardPileView(View(QStringLiteral("DiscardPileView"))),
      RecyclePileView(View(QStringLiteral("RecyclePileView"))),
      Tableau(ViewsNamed(QStringLiteral("TableauPileView"), 7)),
      Foundations(ViewsNamed(QStringLiteral("FoundationPile"), 4))
{
    columns = Tableau;
    RecyclePileView->Color = Qt::black;
    DrawThree1 = AddOptionItem(QStringLiteral("DrawThree1"), QStringLiteral("Draw Three"), [this] { DrawThree1Click(); });
    DrawOne1 = AddOptionItem(QStringLiteral("DrawOne1"), QStringLiteral("Draw One"), [this] { DrawOne1Click(); });
    DrawThree1->setChecked(true);
    wireViews();
}

void TKlondikeForm::wireViews()
{
    DeckPileView->OnClick = [this](QObject *) { DeckPileViewClick(); };
    auto middleIsStock = [this](QObject *, TMouseButton button, TShiftState shift, int x, int y) {
        FormMouseDown(button, shift, x, y);
    };
    DeckPileView->OnMouseDown = middleIsStock;
    DeckPileView->OnDragOver = OnDragOver;
    DiscardPileView->OnMouseDown = [this](QObject *, TMouseButton button, TShiftState shift, int, int) {
        DiscardPileViewMouseDown(button, shift);
    };
    DiscardPileView->OnDragOver = OnDragOver;
    QList<TCardPileView *> dragSources = Tableau;
    dragSources.append(DiscardPileView);
    for (TCardPileView *view : dragSources) {
        view->OnDblClick = [this](QObject *sender) { SendHome(AsView(sender)); };
        view->OnStartDrag = [this](QObject *sender) { TableauPileView1StartDrag(AsView(sender)); };
        view->OnEndDrag = [this](QObject *sender, QObject *, int, int) { TableauPileView1EndDrag(AsView(sender)); };
    }
    for (TCardPileView *column : Tableau) {
        column->OnMouseDown = [this](QObject *sender, TMouseButton button, TShiftState shift, int, int) {
            TableauPileView1MouseDown(AsView(sender), button, shift);
        };
        WireDropCheck(column, [this](TCardPileView *target, TCardPileView *source) { return ColumnCheck(target, source); });
    }
    for (TCardPileView *foundation : Foundations) {
        foundation->OnMouseDown = middleIsStock;
        WireDropCheck(foundation, [this](TCardPileView *target, TCardPileView *source) { return FoundationCheck(target, source); });
    }
}

// ---- options --------------------------------------------------------------------

void TKlondikeForm::ReadOptions()
{
    DrawThree = ReadOption(QStringLiteral("DrawThree"), true);
    DrawThree1->setChecked(DrawThree);
    DrawOne1->setChecked(!DrawThree);
}

void TKlondikeForm::UnlockOptions()
{
    DrawThree1->setEnabled(true);
    DrawOne1->setEnabled(true);
}

void TKlondikeForm::DrawThree1Click()
{
    DrawThree = true;
    DrawThree1->setChecked(true);
    DrawOne1->setChecked(false);
    WriteOption(QStringLiteral("DrawThree"), true);
}

void TKlondikeForm::DrawOne1Click()
{
    DrawThree = false;
    DrawThree1->setChecked(false);
    DrawOne1->setChecked(true);
    WriteOption(QStringLiteral("DrawThree"), false);
}

// ---- deal -------------------------------------------------------------------------

void TKlondikeForm::DealCards(bool animate)
{
    DeckPileView->XOffset = 0.4f;
    DeckPileView->YOffset = 0.1f;
    DeckPileView->Paint();
    TCardPile *stock = DeckPileView->Cards;
    for (int row = 1; row <= 7; ++row) {
        for (int column = row; column <= 7; ++column) {
            TCard *card = stock->CardAt(TCardPile::Top);
            stock->RemoveCard(card);
            card->FaceUp = column == row;
            Tableau[column - 1]->Cards->AddCard(card);
            if (animate)
                Tableau[column - 1]->Paint();
        }
        PlayDealStep(DeckPileView);
    }
    DeckPileView->XOffset = 1.0f;
    DeckPileView->YOffset = 0.2f;
    DeckPileView->Paint();
    UpdateStock();
}

// ---- the stock and the waste -------------------------------------------------------

void TKlondikeForm::DeckPileViewClick()
{
    TCardPile *stock = DeckPileView->Cards;
    // Nothing to turn and nothing to turn over: the table stays as it is.
    if (stock->IsEmpty() && DiscardPileView->Cards->IsEmpty() && RecyclePileView->Cards->IsEmpty())
        return;
    (DrawThree ? DrawOne1 : DrawThree1)->setEnabled(false);
    if (stock->IsEmpty())
        TurnOverWaste();
    TCardPile drawn;
    for (int i = 1; i <= BatchSize() && !stock->IsEmpty(); ++i) {
        if (i == 1) {
            MoveBatchToRecycle();
            ++MoveCount;
        }
        TCard *card = stock->CardAt(TCardPile::Top);
        stock->RemoveCard(card);
        card->FaceUp = true;
        DiscardPileView->Cards->AddCard(card);
        drawn.AddCard(card);
        DeckPileView->Paint();
        DiscardPileView->Paint();
    }
    UndoList->AddPileMove(DeckPileView, DiscardPileView, &drawn);
    Play(&TSoundManager::PlayStock);
    AutoplayPass();
    UpdateStock();
}

// The previous batch leaves the visible waste for the hidden pile beneath it.
void TKlondikeForm::MoveBatchToRecycle()
{
    TCardPile batch;
    TCardPile *waste = DiscardPileView->Cards;
    for (int i = 0; i < BatchSize() && !waste->IsEmpty(); ++i) {
        TCard *card = waste->CardAt(0);
        waste->RemoveCard(card);
        RecyclePileView->Cards->AddCard(card);
        batch.AddCard(card);
    }
    UndoList->AddPileMove(DiscardPileView, RecyclePileView, &batch);
}

void TKlondikeForm::TurnOverWaste()
{
    MoveBatchToRecycle();
    TCardPile *held = RecyclePileView->Cards;
    UndoList->AddPileMove(RecyclePileView, DeckPileView, held);
    held->CopyPileTo(DeckPileView->Cards);
    DeckPileView->Cards->Flip();
    held->Empty(false);
    DiscardPileView->Paint();
    DeckPileView->Paint();
}

void TKlondikeForm::UpdateStock()
{
    const int count = DeckPileView->Cards->Count();
    if (count > 0) {
        DeckPileView->SetHint(QString::number(count));
        return;
    }
    DeckPileView->SetHint(QString());
    const bool wasteHasCards = !RecyclePileView->Cards->IsEmpty() || !DiscardPileView->Cards->IsEmpty();
    DeckPileView->State = wasteHasCards ? FS_RECYCLE : FS_BLANK;
    DeckPileView->Paint();
}

void TKlondikeForm::RefillWaste()
{
    TCardPile *waste = DiscardPileView->Cards;
    TCardPile *held = RecyclePileView->Cards;
    if (!waste->IsEmpty() || held->IsEmpty())
        return;
    for (int i = 0; i < BatchSize() && !held->IsEmpty(); ++i) {
        TCard *card = held->CardAt(TCardPile::Top);
        held->RemoveCard(card);
        waste->InsertCard(card, 0);
    }
    DiscardPileView->Paint();
    UndoList->AddPileMove(RecyclePileView, DiscardPileView, waste);
}

void TKlondikeForm::TurnUpTop(TCardPileView *column)
{
    TCard *top = column->Cards->CardAt(TCardPile::Top);
    if (!top || top->FaceUp)
        return;
    top->FaceUp = true;
    column->Paint();
    UndoList->AddCardMove(column, column, top);
}

// ---- presses and drags ----------------------------------------------------------------

void TKlondikeForm::FormMouseDown(TMouseButton button, TShiftState, int, int)
{
    if (button == mbMiddle)
        DeckPileViewClick();
}

void TKlondikeForm::FormKeyPress(QChar key)
{
    if (key == QLatin1Char(' '))
        DeckPileViewClick();
}

void TKlondikeForm::TableauPileView1MouseDown(TCardPileView *view, TMouseButton button, TShiftState shift)
{
    if (button == mbMiddle)
        DeckPileViewClick();
    view->CanDrag = false;
    TCard *card = view->SelectedCard;
    if (button != mbLeft || !card)
        return;
    if (shift & (ssShift | ssCtrl)) {
        SendHome(view);
        return;
    }
    view->CanDrag = card->FaceUp && Rules::IsAlternatingRunFrom(view->Cards, card);
}

void TKlondikeForm::DiscardPileViewMouseDown(TMouseButton button, TShiftState shift)
{
    if (button == mbMiddle)
        DeckPileViewClick();
    DiscardPileView->CanDrag = false;
    TCard *card = DiscardPileView->SelectedCard;
    if (button != mbLeft || !card)
        return;
    if (shift & (ssShift | ssCtrl)) {
        SendHome(DiscardPileView);
        return;
    }
    DiscardPileView->CanDrag = card == DiscardPileView->Cards->CardAt(TCardPile::Top);
}

bool TKlondikeForm::ColumnCheck(TCardPileView *target, TCardPileView *source)
{
    if (target == source)
        return false;
    TCard *moving = source->DragPile->CardAt(0);
    TCard *top = target->Cards->CardAt(TCardPile::Top);
    const bool fits = top ? Rules::IsOneLowerOtherColour(moving, top) : moving->Value == FS_KING;
    if (fits)
        source->DropTarget = target;
    return fits;
}

bool TKlondikeForm::FoundationCheck(TCardPileView *target, TCardPileView *source)
{
    if (source->DragPile->Count() != 1)
        return false;
    const bool fits = Rules::FitsFoundation(source->DragPile->CardAt(0), target->Cards);
    if (fits)
        source->DropTarget = target;
    return fits;
}

void TKlondikeForm::TableauPileView1StartDrag(TCardPileView *source)
{
    if (!source->DropTarget) {
        for (TCardPileView *column : Tableau)
            if (ColumnCheck(column, source))
                break;
    }
    if (!source->DropTarget) {
        for (TCardPileView *foundation : Foundations)
            if (FoundationCheck(foundation, source))
                break;
    }
    source->Paint();
}

void TKlondikeForm::TableauPileView1EndDrag(TCardPileView *source)
{
    if (!source->DropTarget)
        return;
    RecordDrag(source);
    RefillWaste();
    TurnUpTop(source);
    ++MoveCount;
    CheckWin();
}

// ---- sending home, autoplay, score ---------------------------------------------------------

TCardPileView *TKlondikeForm::HomeFor(const TCard *card) const
{
    for (TCardPileView *foundation : Foundations)
        if (Rules::FitsFoundation(card, foundation->Cards))
            return foundation;
    return nullptr;
}

void TKlondikeForm::SendHome(TCardPileView *view)
{
    TCard *card = view->Cards->CardAt(TCardPile::Top);
    if (TCardPileView *home = card && card->FaceUp ? HomeFor(card) : nullptr) {
        view->Cards->RemoveCard(card);
        home->Cards->AddCard(card);
        view->Paint();
        home->Paint();
        UndoList->AddCardMove(view, home, card);
        Play(&TSoundManager::PlayAutoplay);
        ++MoveCount;
        if (Tableau.contains(view))
            TurnUpTop(view);
    }
    CheckWin();
    RefillWaste();
}

void TKlondikeForm::AutoplayPass()
{
    if (!DoAutoplay)
        return;
    QList<TCardPileView *> sources = Tableau;
    sources.append(DiscardPileView);
    for (TCardPileView *view : sources) {
        TCard *top = view->Cards->CardAt(TCardPile::Top);
        if (top && top->FaceUp && HomeFor(top))
            SendHome(view);
    }
    UpdateStock();
}

int TKlondikeForm::ComputeScore() const
{
    int score = 0;
    for (const TCardPileView *foundation : Foundations)
        score += foundation->Cards->Count();
    return score;
}

// ---- undo ---------------------------------------------------------------------------------------

bool TKlondikeForm::UndoSpecialRecord()
{
    TCardUndo *undo = UndoList;
    if (undo->LastSource == undo->LastTarget) {
        undo->UndoLast();
        undo->LastSource->Cards->CardAt(TCardPile::Top)->FaceUp = false;
        undo->LastSource->Paint();
        undo->DropLast();
    } else if (undo->LastSource == DeckPileView) {
        undo->LastPile->Flip();
        undo->UndoLast();
        DeckPileView->Paint();
        DiscardPileView->Paint();
        undo->DropLast();
    } else if (undo->LastSource == RecyclePileView) {
        for (int i = 0; i < undo->LastPile->Count(); ++i)
            undo->LastPile->CardAt(i)->FaceUp = true;
        undo->UndoLast();
        undo->LastTarget->Paint();
        undo->DropLast();
    } else {
        return false;
    }
    UndoOrdinaryRecord();
    return true;
}
