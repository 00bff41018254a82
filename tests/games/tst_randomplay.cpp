// SPDX-License-Identifier: MIT
// Random play: every game at both card sizes takes thousands of random steps of real
// input (presses, double-clicks, drags to anywhere, keys and shortcuts, also in the
// middle of a drag, menu commands), and after every step the table must still hold
// each card of its decks exactly once, with everything around it consistent.
//   CARDENZA_PLAY_SEED   the seed (default 1)
//   CARDENZA_PLAY_STEPS  steps per game and size (default 400)
#include "GameTestKit.h"

#include "games/GameRegistry.h"
#include "platform/DragManager.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <random>

namespace {

quint32 playSeed() { return qEnvironmentVariableIntValue("CARDENZA_PLAY_SEED") ?: 1u; }

int playSteps()
{
    const int steps = qEnvironmentVariableIntValue("CARDENZA_PLAY_STEPS");
    return steps > 0 ? steps : 400;
}

// One game window and a player who does anything at all to it.
class RandomPlayer
{
public:
    RandomPlayer(GameWindow *window, quint32 seed) : form(window), random(seed) {}

    void step();
    QString check() const;
    // Undoes down to the records the deal itself left (Golf books its first stock card).
    QString undoEverything(int dealRecords);

private:
    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }
    bool chance(int percent) { return below(100) < percent; }
    TCardPileView *anyView();
    QPoint pointOn(TCardPileView *view);
    QPoint anywhere();
    void click(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void doubleClick();
    void drag(bool interrupt);
    void interruptDrag();
    void key();
    void command();

    GameWindow *form;
    std::mt19937 random;
};

TCardPileView *RandomPlayer::anyView()
{
    QList<TCardPileView *> visible;
    for (TCardPileView *view : form->pileViews())
        if (view->isVisible())
            visible.append(view);
    return visible.isEmpty() ? nullptr : visible[below(int(visible.size()))];
}

// Mostly a card's visible strip, sometimes anywhere on the view.
QPoint RandomPlayer::pointOn(TCardPileView *view)
{
    const int count = view->Cards->Count();
    if (count == 0 || chance(10))
        return {below(qMax(1, view->width())), below(qMax(1, view->height()))};
    return VisibleCardPoint(view, below(count), below(1000));
}

QPoint RandomPlayer::anywhere()
{
    if (chance(8))  // outside every window of the program
        return {-40 - below(200), form->height() + 40 + below(200)};
    if (TCardPileView *view = anyView(); view && chance(80))
        return view->geometry().topLeft() + pointOn(view);
    return {below(form->width()), below(form->height())};
}

void RandomPlayer::click(Qt::MouseButton button, Qt::KeyboardModifiers modifiers)
{
    if (TCardPileView *view = anyView(); view && chance(90))
        QTest::mouseClick(view, button, modifiers, pointOn(view));
    else
        QTest::mouseClick(form, button, modifiers, anywhere());
}

void RandomPlayer::doubleClick()
{
    if (TCardPileView *view = anyView()) {
        const QPoint at = pointOn(view);
        QTest::mouseClick(view, Qt::LeftButton, {}, at);
        QTest::mouseDClick(view, Qt::LeftButton, {}, at);
    }
}

void RandomPlayer::drag(bool interrupt)
{
    TCardPileView *view = anyView();
    if (!view)
        return;
    const QPoint from = pointOn(view);
    const QPoint to = view->mapFromGlobal(form->mapToGlobal(anywhere()));
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, from + QPoint(3, 3));
    QTest::mouseMove(view, from + QPoint(9, 12));
    if (interrupt)
        interruptDrag();
    QTest::mouseMove(view, (from + to) / 2);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
}

// What a player's other hand does while the cards are in the air.
void RandomPlayer::interruptDrag()
{
    static const QList<QKeyCombination> keys = {
        Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_N, Qt::CTRL | Qt::Key_A, QKeyCombination(Qt::Key_Space),
        QKeyCombination(Qt::Key_Escape), QKeyCombination(Qt::Key_F1)};
    const QKeyCombination key = keys[below(int(keys.size()))];
    QTest::keyClick(form, key.key(), key.keyboardModifiers());
    if (chance(30))
        form->Undo1->trigger();
    if (chance(20))
        form->NewGame1->trigger();
}

void RandomPlayer::key()
{
    static const QList<QKeyCombination> keys = {
        QKeyCombination(Qt::Key_Space), Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_A, Qt::CTRL | Qt::Key_N};
    const QKeyCombination key = keys[below(int(keys.size()))];
    QTest::keyClick(form, key.key(), key.keyboardModifiers());
}

void RandomPlayer::command()
{
    // Undo comes up more often than the rest; every other item of the menu (the
    // autoplay, the options, the game's own commands) as often as New Game.
    QList<QAction *> items = {form->Undo1, form->Undo1};
    for (QAction *action : form->actions())
        if (!action->isSeparator() && action != form->Preferences1 && action != form->About1)
            items << action;
    QAction *item = items[below(int(items.size()))];
    if (item->isEnabled())
        item->trigger();
}

void RandomPlayer::step()
{
    const int kind = below(100);
    if (kind < 22)
        click(Qt::LeftButton, {});
    else if (kind < 32)
        doubleClick();
    else if (kind < 36)
        click(Qt::MiddleButton, {});
    else if (kind < 40)
        click(Qt::LeftButton, chance(50) ? Qt::ShiftModifier : Qt::ControlModifier);
    else if (kind < 75)
        drag(chance(10));
    else if (kind < 85)
        key();
    else
        command();
    // A pop-up menu the step may have opened is closed as a player would.
    while (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
}

QString RandomPlayer::check() const
{
    QSet<const TCard *> seen;
    QHash<int, int> faces;
    for (const TCardPileView *view : form->pileViews()) {
        if (!view->DragPile->IsEmpty())
            return QStringLiteral("%1 holds cards in its drag pile").arg(view->objectName());
        for (int i = 0; i < view->Cards->Count(); ++i) {
            const TCard *card = view->Cards->CardAt(i);
            if (seen.contains(card))
                return QStringLiteral("%1 is on the table twice (%2)").arg(CardText(card), view->objectName());
            seen.insert(card);
            ++faces[card->Suit * 13 + card->Value];
            if (form->roleOf(view) == PileRole::Foundation && !card->FaceUp)
                return QStringLiteral("%1 lies face down on %2").arg(CardText(card), view->objectName());
        }
    }
    if (seen.size() != form->cardCount())
        return QStringLiteral("%1 cards on the table instead of %2").arg(seen.size()).arg(form->cardCount());
    for (int i = 0; i < form->SavedDeal->Count(); ++i)
        if (!seen.contains(form->SavedDeal->CardAt(i)))
            return QStringLiteral("a card of the deal is missing from the table");
    for (auto it = faces.cbegin(); it != faces.cend(); ++it)
        if (it.value() != form->gameDescription().decks)
            return QStringLiteral("a card face appears %1 times").arg(it.value());
    if (form->MoveCount < 0)
        return QStringLiteral("MoveCount is %1").arg(form->MoveCount);
    if (form->Undo1->isEnabled() != (form->UndoList->Count() > 0))
        return QStringLiteral("Undo is %1 with %2 records")
            .arg(form->Undo1->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled"))
            .arg(form->UndoList->Count());
    // A deal that puts cards home (Beleaguered Castle's Aces) leaves the caption plain
    // until the first move.
    const QString caption = form->windowTitle();
    const bool plainAfterDeal = form->MoveCount == 0 && caption == form->gameDescription().caption;
    if (!plainAfterDeal && caption != (form->ShowScore() > 0 ? form->gameDescription().scorePrefix() + QString::number(form->Score)
                                         : form->gameDescription().caption))
        return QStringLiteral("the caption \"%1\" does not show the score %2").arg(caption).arg(form->Score);
    if (DragManager::instance().pending() || DragManager::instance().active())
        return QStringLiteral("a drag is still under way");
    return {};
}

QString RandomPlayer::undoEverything(int dealRecords)
{
    for (int guard = 0; form->UndoList->Count() > dealRecords && guard < 100000; ++guard) {
        const int before = form->UndoList->Count();
        form->Undo1->trigger();
        if (form->UndoList->Count() >= before)
            return QStringLiteral("an undo took nothing back");
    }
    return {};
}

}  // namespace

class TestRandomPlay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void play_data()
    {
        AddRowPerGameAndSize();
    }

    void play()
    {
        QFETCH(QString, game);
        QFETCH(bool, small);
        GameTestKit kit;
        PreferencesDlg->DoAnimation = false;
        TCard::SetCardSize(small ? FS_SMALL : FS_LARGE);
        const RegisteredGame *entry = GameRegistry::find(game);
        QPointer<GameWindow> form = small ? entry->createSmall() : entry->createLarge();
        form->show();
        QApplication::setActiveWindow(form);
        const quint32 seed = playSeed() ^ quint32(qHash(QString(QTest::currentDataTag())));
        RandomPlayer player(form, seed);
        QString firstDeal = form->dealText();
        int dealRecords = form->UndoList->Count();  // a deal may book steps of its own
        QObject::connect(form, &GameWindow::tableDealt, form, [&] {
            firstDeal = form->dealText();
            dealRecords = form->UndoList->Count();
        });
        const int steps = playSteps();
        for (int step = 1; step <= steps && form; ++step) {
            player.step();
            // Drag pictures and closed menus go as they would between a player's moves.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QString fault = form ? player.check() : QStringLiteral("the window went away");
            if (fault.isEmpty() && (step % 97 == 0 || step == steps)) {
                fault = player.undoEverything(dealRecords);
                if (fault.isEmpty() && form->UndoList->Count() == dealRecords && form->dealText() != firstDeal)
                    fault = QStringLiteral("undoing everything does not give the first deal back:\n%1\ninstead of\n%2")
                                .arg(form->dealText(), firstDeal);
            }
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("%1, seed %2, step %3: %4")
                                                     .arg(QString::fromLatin1(QTest::currentDataTag()))
                                                     .arg(playSeed())
                                                     .arg(step)
                                                     .arg(fault)));
        }
        kit.dialogs.answer = Dialogs::Ok;
        if (form)
            form->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        TCard::SetCardSize(FS_LARGE);
    }
};

QTEST_MAIN(TestRandomPlay)
#include "tst_randomplay.moc"
