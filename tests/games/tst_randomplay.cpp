// SPDX-License-Identifier: MIT
// Random play: every game at both card sizes takes hundreds of random steps of real
// input (presses, double-clicks, drags to anywhere, keys and shortcuts, also in the
// middle of a drag, menu commands), undoing everything now and then. After every step
// the table must still hold each card of its decks exactly once, with everything around
// it consistent, and a Restart must deal the deal's first table again. A long walk per
// game takes five times as many steps on one deal and undoes everything only at the
// end, so that play gets further into a game. A row per game plays mostly by keys:
// the cursor wanders, cards are lifted, dropped, put back and sent home. Now and then
// a few actions are undone and redone, which must give the very same table, and every
// so often the whole game is written down, read into a fresh window that must look the
// same in every way, and play goes on there.
//   CARDENZA_PLAY_SEED   the seed (default 1)
//   CARDENZA_PLAY_STEPS  steps of an ordinary row (default 400; a long walk five times that)
#include "GameTestKit.h"
#include "support/StatsKit.h"

#include "games/GameRegistry.h"
#include "shell/GameCatalog.h"
#include "platform/DragManager.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QSet>
#include <QTest>
#include <random>
#include <utility>

namespace {

quint32 playSeed() { return qEnvironmentVariableIntValue("CARDENZA_PLAY_SEED") ?: 1u; }

int playSteps()
{
    const int steps = qEnvironmentVariableIntValue("CARDENZA_PLAY_STEPS");
    return steps > 0 ? steps : 400;
}

// The score the piles show: the cards on the foundations; with none (Montana), the
// cards of each row of thirteen places that lie in order of one suit from a Two.
// The top card a view shows, counting cards lifted by keys as still in their place.
const TCard *shownTop(const TCardPileView *view)
{
    const DragManager &drags = DragManager::instance();
    if (drags.carriedByKeys() && drags.source() == view && !view->DragPile->IsEmpty())
        return view->DragPile->CardAt(TCardPile::Top);
    return view->Cards->CardAt(TCardPile::Top);
}

int scoreOnTable(const GameWindow *form)
{
    const QList<TCardPileView *> foundations = form->viewsOf(PileRole::Foundation) + form->viewsOf(PileRole::Discard);
    int score = 0;
    for (const TCardPileView *foundation : foundations)
        score += foundation->Cards->Count();
    const QList<TCardPileView *> places = foundations.isEmpty() ? form->viewsOf(PileRole::Place)
                                                                : QList<TCardPileView *>();
    for (int row = 0; row + 13 <= places.size(); row += 13)
        for (int column = 0; column < 13; ++column) {
            const TCard *card = shownTop(places[row + column]);
            if (!card || card->Value != FS_TWO + column || card->Suit != shownTop(places[row])->Suit)
                break;
            ++score;
        }
    return score;
}

// The order of a deck, whichever way its cards face.
QString deckOrder(const TCardPile *deck)
{
    QString order;
    for (int i = 0; i < deck->Count(); ++i)
        order += CardText(deck->CardAt(i)).toUpper();
    return order;
}

// The first line where two texts differ, for a message short enough to read.
QString firstDifference(const QString &got, const QString &wanted)
{
    const QStringList a = got.split(QLatin1Char('\n')), b = wanted.split(QLatin1Char('\n'));
    for (int i = 0; i < qMax(a.size(), b.size()); ++i)
        if (a.value(i) != b.value(i))
            return QStringLiteral("at line %1\n%2\ninstead of\n%3").arg(i + 1).arg(a.value(i), b.value(i));
    return {};
}

// Everything a player or the engine can see of a window: the piles, the counters,
// the caption, every menu item's state and the stock's count.
QString everything(const GameWindow *form)
{
    QString text = form->dealText() + QStringLiteral("moves %1 score %2 over %3 caption %4\n")
                                          .arg(form->MoveCount).arg(form->Score).arg(form->GameOver)
                                          .arg(form->windowTitle());
    for (const QAction *item : form->actions())
        text += QStringLiteral("%1 %2%3 ").arg(item->objectName()).arg(item->isEnabled()).arg(item->isChecked());
    for (const TCardPileView *view : form->pileViews())
        text += view->toolTip() + QString::number(view->State);
    return text;
}

// One game window and a player who does anything at all to it.
class RandomPlayer
{
public:
    // A patient player stays with one deal: never takes anything back, never asks for
    // a new deal or a Restart, and takes the cards where the moves are.
    RandomPlayer(GameWindow *window, quint32 seed, bool patient, bool byKeys = false)
        : form(window), random(seed), patient(patient), byKeys(byKeys)
    {
    }

    void step();
    void setWindow(GameWindow *window) { form = window; }
    // Undoes a few actions and redoes them; the table must come back exactly.
    QString undoAndRedo();
    // True while the player's Restart is carried out.
    bool isRestarting() const { return restarting; }
    QString check() const;
    // Undoes down to the records the deal itself left (Golf books its first stock card).
    QString undoEverything(int dealRecords);
    // Cards held by keys go back, so that the menu's commands act again.
    void putDown();

private:
    int below(int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(random); }
    bool chance(int percent) { return below(100) < percent; }
    bool mayPress(QKeyCombination key) const
    {
        return !patient || (key != (Qt::CTRL | Qt::Key_Z) && key != (Qt::CTRL | Qt::Key_N) &&
                            key != (Qt::CTRL | Qt::SHIFT | Qt::Key_Z) && key != (Qt::CTRL | Qt::Key_Y));
    }
    bool mayChoose(const QAction *item) const
    {
        return !patient || (item != form->Undo1 && item != form->Redo1 && item != form->NewGame1 &&
                            item != form->Restart1);
    }
    void press(const QList<QKeyCombination> &keys);
    TCardPileView *anyView();
    QPoint pointOn(TCardPileView *view);
    QPoint anywhere();
    void click(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
    void doubleClick();
    void drag(bool interrupt);
    void interruptDrag();
    void key();
    void navigate();
    void command();

    GameWindow *form;
    std::mt19937 random;
    bool patient;
    bool restarting = false;
    bool byKeys;
};

TCardPileView *RandomPlayer::anyView()
{
    QList<TCardPileView *> visible;
    for (TCardPileView *view : form->pileViews())
        if (view->isVisible())
            visible.append(view);
    return visible.isEmpty() ? nullptr : visible[below(int(visible.size()))];
}

// Mostly a card's visible strip (for a patient player the top card or the first face-up
// one), sometimes anywhere on the view.
QPoint RandomPlayer::pointOn(TCardPileView *view)
{
    const int count = view->Cards->Count();
    if (count == 0 || chance(10))
        return {below(qMax(1, view->width())), below(qMax(1, view->height()))};
    const int index = !patient ? below(count) : chance(50) ? count - 1 : count - qMax(1, FaceUpCount(view));
    return VisibleCardPoint(view, index, below(1000));
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
    press(keys);
    if (chance(30) && mayChoose(form->Undo1))
        form->Undo1->trigger();
    if (chance(20) && mayChoose(form->NewGame1))
        form->NewGame1->trigger();
}

void RandomPlayer::key()
{
    static const QList<QKeyCombination> keys = {
        QKeyCombination(Qt::Key_Space), Qt::CTRL | Qt::Key_Z, Qt::CTRL | Qt::Key_A, Qt::CTRL | Qt::Key_N,
        Qt::CTRL | Qt::SHIFT | Qt::Key_Z, Qt::CTRL | Qt::Key_Y};
    press(keys);
}

void RandomPlayer::navigate()
{
    static const QList<QKeyCombination> keys = {
        QKeyCombination(Qt::Key_Left), QKeyCombination(Qt::Key_Right), QKeyCombination(Qt::Key_Right),
        QKeyCombination(Qt::Key_Up), QKeyCombination(Qt::Key_Down), QKeyCombination(Qt::Key_Tab),
        Qt::SHIFT | Qt::Key_Backtab, QKeyCombination(Qt::Key_Return), QKeyCombination(Qt::Key_Return),
        QKeyCombination(Qt::Key_Enter), Qt::SHIFT | Qt::Key_Return, QKeyCombination(Qt::Key_Escape),
        QKeyCombination(Qt::Key_Space), Qt::CTRL | Qt::Key_Z};
    press(keys);
}

void RandomPlayer::putDown()
{
    if (DragManager::instance().carriedByKeys())
        QTest::keyClick(form, Qt::Key_Escape);
}

QString RandomPlayer::undoAndRedo()
{
    const QString before = everything(form);
    int undone = 0;
    for (const int wanted = 1 + below(4); undone < wanted && form->Undo1->isEnabled(); ++undone)
        form->Undo1->trigger();
    for (int i = 0; i < undone; ++i) {
        if (!form->Redo1->isEnabled())
            return QStringLiteral("nothing to redo after %1 of %2 undos were redone").arg(i).arg(undone);
        form->Redo1->trigger();
    }
    const QString after = everything(form);
    return after == before ? QString()
                           : QStringLiteral("%1 undos and redos give\n%2\ninstead of\n%3").arg(undone).arg(after, before);
}

void RandomPlayer::press(const QList<QKeyCombination> &keys)
{
    const QKeyCombination key = keys[below(int(keys.size()))];
    if (mayPress(key))
        QTest::keyClick(form, key.key(), key.keyboardModifiers());
}

void RandomPlayer::command()
{
    // Undo comes up more often than the rest; every other item of the menu (the
    // autoplay, the options, the game's own commands) as often as New Game.
    QList<QAction *> items = {form->Undo1, form->Undo1};
    for (QAction *action : form->actions())
        if (!action->isSeparator() && action != form->Preferences1 && action != form->Statistics1
            && action != form->About1)
            items << action;
    QAction *item = items[below(int(items.size()))];
    restarting = item == form->Restart1;
    if (item->isEnabled() && mayChoose(item))
        item->trigger();
    restarting = false;
}

void RandomPlayer::step()
{
    const int kind = below(100);
    if (byKeys && chance(80))
        navigate();
    else if (kind < 22)
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
    // Cards held by keys stay in their pile's drag pile until they are dropped.
    const DragManager &drags = DragManager::instance();
    const bool carried = drags.carriedByKeys();
    for (const TCardPileView *view : form->pileViews()) {
        const bool holds = carried && drags.source() == view;
        if (!view->DragPile->IsEmpty() && !holds)
            return QStringLiteral("%1 holds cards in its drag pile").arg(view->objectName());
        for (int i = 0; i < view->Cards->Count() + (holds ? view->DragPile->Count() : 0); ++i) {
            const int count = view->Cards->Count();
            const TCard *card = i < count ? view->Cards->CardAt(i) : view->DragPile->CardAt(i - count);
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
    const int score = scoreOnTable(form);
    const QString caption = score > 0 ? form->gameDescription().scorePrefix() + QString::number(score)
                                      : form->gameDescription().caption;
    // A deal that puts cards home (Beleaguered Castle's Aces) leaves the caption plain
    // until the first move.
    const bool plainAfterDeal = form->MoveCount == 0 && form->windowTitle() == form->gameDescription().caption;
    if (!plainAfterDeal && (form->windowTitle() != caption || form->Score != score))
        return QStringLiteral("the caption \"%1\" and Score %2 where the table says \"%3\"")
            .arg(form->windowTitle()).arg(form->Score).arg(caption);
    if ((drags.pending() || drags.active()) && !carried)
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
    QPointer<GameWindow> form;
    FakeClock time;  // a saved game's playing time, written twice, is the same

    // The game written down and read into a fresh window, which must look the same,
    // write the same text, and take over the play.
    QString moveToFreshWindow(const RegisteredGame *entry, bool small, RandomPlayer &player)
    {
        const QString text = form->savedText(), seen = everything(form);
        GameWindow *fresh = small ? entry->createSmall() : entry->createLarge();
        fresh->show();
        QString why;
        if (!fresh->restoreSaved(text, &why)) {
            delete fresh;
            return QStringLiteral("the saved game cannot be read back: %1\n%2").arg(why, text);
        }
        const QString restored = everything(fresh), again = fresh->savedText();
        delete form.data();
        form = fresh;
        QApplication::setActiveWindow(form);
        player.setWindow(form);
        if (restored != seen)
            return QStringLiteral("the restored window shows ") + firstDifference(restored, seen);
        return again == text ? QString() : QStringLiteral("the restored window writes ") + firstDifference(again, text);
    }

private Q_SLOTS:
    // A row that failed leaves no window and no card size behind for the next.
    void cleanup()
    {
        delete form.data();
        TCard::SetCardSize(FS_LARGE);
    }

    void play_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<bool>("small");
        QTest::addColumn<bool>("longWalk");
        QTest::addColumn<bool>("byKeys");
        for (const GameEntry *game : GameCatalog::entries()) {
            QTest::newRow(qPrintable(game->name + QStringLiteral("/large"))) << game->name << false << false << false;
            QTest::newRow(qPrintable(game->name + QStringLiteral("/small"))) << game->name << true << false << false;
            QTest::newRow(qPrintable(game->name + QStringLiteral("/long"))) << game->name << false << true << false;
            QTest::newRow(qPrintable(game->name + QStringLiteral("/keys"))) << game->name << false << false << true;
        }
    }

    void play()
    {
        QFETCH(QString, game);
        QFETCH(bool, small);
        QFETCH(bool, longWalk);
        QFETCH(bool, byKeys);
        GameTestKit kit;
        PreferencesDlg->DoAnimation = false;
        TCard::SetCardSize(small ? FS_SMALL : FS_LARGE);
        const RegisteredGame *entry = GameRegistry::find(game);
        form = small ? entry->createSmall() : entry->createLarge();
        form->show();
        QApplication::setActiveWindow(form);
        const quint32 seed = playSeed() ^ quint32(qHash(QString(QTest::currentDataTag())));
        RandomPlayer player(form, seed, longWalk, byKeys);
        // The deal's first table, which a Restart deals again, and the table undoing
        // everything comes back to (a deal may book steps of its own; Montana's
        // shuffle and the Queen of Italy's first foundation start again from theirs).
        QString firstDeck = deckOrder(form->SavedDeal), firstTable = form->dealText(), undoneTable = firstTable;
        int dealRecords = form->UndoList->Count();
        QString dealFault;
        const auto onDeal = [&] {
            if (player.isRestarting() && form->dealText() != firstTable)
                dealFault = QStringLiteral("a Restart deals\n%1\ninstead of\n%2").arg(form->dealText(), firstTable);
            else if (deckOrder(form->SavedDeal) != firstDeck)
                firstDeck = deckOrder(form->SavedDeal), firstTable = form->dealText();
            undoneTable = form->dealText();
            dealRecords = form->UndoList->Count();
        };
        QObject::connect(form, &GameWindow::tableDealt, form, onDeal);
        const int steps = playSteps() * (longWalk ? 5 : 1);
        for (int step = 1; step <= steps && form; ++step) {
            player.step();
            // Drag pictures and closed menus go as they would between a player's moves.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QString fault = form ? player.check() : QStringLiteral("the window went away");
            if (fault.isEmpty() && (step % 7 == 0 || step % 150 == 0))
                player.putDown();
            if (fault.isEmpty() && !longWalk && step % 7 == 0)
                fault = player.undoAndRedo();
            if (fault.isEmpty() && step % 150 == 0)
                fault = moveToFreshWindow(entry, small, player);
            if (fault.isEmpty() && step % 150 == 0)
                QObject::connect(form, &GameWindow::tableDealt, form, onDeal);
            if (fault.isEmpty())
                fault = std::exchange(dealFault, QString());
            if (fault.isEmpty() && (step == steps || (!longWalk && step % 97 == 0))) {
                player.putDown();
                fault = player.undoEverything(dealRecords);
                if (fault.isEmpty() && form->UndoList->Count() == dealRecords && form->dealText() != undoneTable)
                    fault = QStringLiteral("undoing everything does not give the first table back:\n%1\ninstead of\n%2")
                                .arg(form->dealText(), undoneTable);
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
    }
};

QTEST_MAIN(TestRandomPlay)
#include "tst_randomplay.moc"
