// SPDX-License-Identifier: MIT
#pragma once
// What the game tests share: the shell kit with a fixed seed, game windows that go
// away with the test, the launcher, cards put where a test wants them, and a
// player's hand on the mouse.
#include "games/GameWindow.h"
#include "games/GameRegistry.h"
#include "shell/GameCatalog.h"
#include "shell/Preferences.h"
#include "shell/Requirements.h"
#include "shell/SolitaireWindow.h"
#include "support/ShellKit.h"

#include <QPointer>
#include <QTest>

struct GameTestKit : ShellKit {
    FixedSeed seed{7};
};

// A game window, dealt, deleted when the test ends unless it has gone already.
template <class Form>
class DealtWindow
{
public:
    DealtWindow() : form(createGameWindow<Form>()) {}
    ~DealtWindow() { delete form.data(); }
    Q_DISABLE_COPY(DealtWindow)
    Form *operator->() const { return form.data(); }
    operator Form *() const { return form.data(); }

private:
    QPointer<Form> form;
};

// The launcher window with its requirements window, shown.
struct LauncherWindow {
    LauncherWindow()
    {
        SolitaireForm = new TSolitaireForm;
        SysRequirementsForm = new TSysRequirementsForm;
        SolitaireForm->show();
    }
    ~LauncherWindow()
    {
        SolitaireForm->CloseAllGames();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        delete SysRequirementsForm;
        SysRequirementsForm = nullptr;
        delete SolitaireForm;
        SolitaireForm = nullptr;
    }
    Q_DISABLE_COPY(LauncherWindow)
};

inline TCard *FindCard(GameWindow *form, CardSuit suit, CardValue value)
{
    for (TCardPileView *view : form->pileViews())
        for (int i = 0; i < view->Cards->Count(); ++i)
            if (view->Cards->CardAt(i)->Suit == suit && view->Cards->CardAt(i)->Value == value)
                return view->Cards->CardAt(i);
    return nullptr;
}

// Moves a card from wherever it lies onto the top of a view.
inline TCard *Place(GameWindow *form, CardSuit suit, CardValue value, TCardPileView *onto, bool faceUp = true)
{
    TCard *card = FindCard(form, suit, value);
    for (TCardPileView *view : form->pileViews())
        view->Cards->RemoveCard(card);
    card->FaceUp = faceUp;
    onto->Cards->AddCard(card);
    return card;
}

// Empties a view, putting its cards face down beneath those of another (the stock).
inline void EmptyInto(TCardPileView *view, TCardPileView *beneath)
{
    while (TCard *card = view->Cards->CardAt(0)) {
        view->Cards->RemoveCard(card);
        card->FaceUp = false;
        beneath->Cards->InsertCard(card, 0);
    }
}

inline int FaceUpCount(const TCardPileView *view)
{
    int count = 0;
    for (int i = 0; i < view->Cards->Count(); ++i)
        count += view->Cards->CardAt(i)->FaceUp ? 1 : 0;
    return count;
}

// The part of card i that no card above it covers, inside the view.
inline QRect VisibleStrip(const TCardPileView *view, int index)
{
    const QRect card = view->CardRectAt(index);
    QRect visible = card;
    if (index < view->Cards->Count() - 1) {
        const QRect next = view->CardRectAt(index + 1);
        if (next.left() > card.left())
            visible.setRight(next.left() - 1);
        else if (next.top() > card.top())
            visible.setBottom(next.top() - 1);
    }
    visible = visible.intersected(view->rect());
    return visible.isEmpty() ? card.intersected(view->rect()) : visible;
}

// A point of card i's visible strip; the same pick gives the same point.
inline QPoint VisibleCardPoint(const TCardPileView *view, int index, int pick)
{
    const QRect strip = VisibleStrip(view, index);
    if (strip.isEmpty())
        return {0, 0};
    return {strip.left() + pick % strip.width(), strip.top() + (pick / strip.width()) % strip.height()};
}

// The centre of card i's visible strip.
inline QPoint CardPoint(const TCardPileView *view, int index) { return VisibleStrip(view, index).center(); }

inline QPoint TopCardPoint(const TCardPileView *view)
{
    return CardPoint(view, qMax(0, view->Cards->Count() - 1));
}

// Presses on `from` at `at`, moves in a few steps and releases over `to` at `over`,
// all with real mouse events, as a player's hand would.
inline void DragWithMouse(TCardPileView *from, QPoint at, QWidget *to, QPoint over)
{
    QTest::mousePress(from, Qt::LeftButton, {}, at);
    const QPoint target = from->mapFromGlobal(to->mapToGlobal(over));
    QTest::mouseMove(from, at + QPoint(4, 4));
    QTest::mouseMove(from, at + QPoint(12, 12));
    QTest::mouseMove(from, (at + target) / 2);
    QTest::mouseMove(from, target);
    QTest::mouseRelease(from, Qt::LeftButton, {}, target);
}

// The minimum height of the shown window with its frame and caption, as the window
// system adds them.
inline int OuterMinimumHeight(const QWidget *window)
{
    return window->minimumHeight() + window->frameGeometry().height() - window->height();
}

// One data row per registered game and card size, tagged "Klondike/large" and
// "Klondike/small", with the columns `game` (the launcher's name) and `small`.
inline void AddRowPerGameAndSize()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<bool>("small");
    for (const GameEntry *game : GameCatalog::entries()) {
        QTest::newRow(qPrintable(game->name + QStringLiteral("/large"))) << game->name << false;
        QTest::newRow(qPrintable(game->name + QStringLiteral("/small"))) << game->name << true;
    }
}

// The launcher opens the game with large cards, then, with small cards chosen, closes
// that window and opens the small one instead; the cards are small meanwhile. Leaves
// the large size set for the next test and returns the small window.
inline GameWindow *OpenBothSizesFromTheLauncher(const QString &game)
{
    const RegisteredGame *entry = GameRegistry::find(game);
    const int index = GameCatalog::indexOf(game);
    PreferencesDlg->CardSize = 1;
    SolitaireForm->SelectGame(index);
    const QPointer<GameWindow> large = entry->largeWindow();
    if (!large || !large->isVisible())
        return nullptr;
    PreferencesDlg->CardSize = 0;
    SolitaireForm->SelectGame(index);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    GameWindow *small = entry->smallWindow();
    const bool replaced = !large && small && small->isVisible() && TCard::GetCardSize() == FS_SMALL;
    TCard::SetCardSize(FS_LARGE);
    return replaced ? small : nullptr;
}
