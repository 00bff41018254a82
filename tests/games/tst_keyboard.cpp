// SPDX-License-Identifier: MIT
// Play by keys alone, through the real window: each game wins a real deal by keys (one
// row per game and card size, playing keywins/<game>.txt; a game without a line there
// yet is skipped), keys do exactly what the mouse does on the same deal, lifted cards
// go back on Escape and on a mouse press, keys that would touch the piles wait while
// cards are held, the cursor's ring shows on the table, and the piles and dialogs
// read as assistive tools read them.
#include "GameTestKit.h"

#include "cards/CardPileCursor.h"
#include "games/TableAccessible.h"
#include "games/TableKeyboard.h"
#include "shell/InfoDlg.h"
#include "platform/DragManager.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QRegularExpression>
#include <random>

namespace {

// A player with hands on the keyboard only.
class KeyPlayer
{
public:
    explicit KeyPlayer(GameWindow *window) : form(window), keyboard(window->findChild<TableKeyboard *>()) {}

    void press(int key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(form, Qt::Key(key), modifiers);
    }

    // Right until the cursor is on the view; the first key only shows the cursor.
    bool goTo(const TCardPileView *view)
    {
        if (!keyboard->isShowing())
            press(Qt::Key_Right);
        for (int i = 0; i < 120 && keyboard->focusedView() != view; ++i)
            press(Qt::Key_Right);
        return keyboard->focusedView() == view;
    }

    // One line of a winning line: "FROM -> TO xN", or "click VIEW"; empty when played.
    QString play(const QString &line)
    {
        static const QRegularExpression move(QStringLiteral("^(\\w+) -> (\\w+) x(\\d+)$"));
        static const QRegularExpression click(QStringLiteral("^click (\\w+)$"));
        const QString before = form->dealText();
        if (const auto m = click.match(line); m.hasMatch()) {
            if (!goTo(form->viewNamed(m.captured(1))))
                return QStringLiteral("the cursor never reaches ") + m.captured(1);
            press(Qt::Key_Return);
        } else if (const auto m = move.match(line); m.hasMatch()) {
            if (!goTo(form->viewNamed(m.captured(1))))
                return QStringLiteral("the cursor never reaches ") + m.captured(1);
            const int cards = m.captured(3).toInt();
            for (int i = 1; i < cards; ++i)
                press(Qt::Key_Up);
            if (keyboard->chosenCards() != cards)
                return QStringLiteral("only %1 cards can be chosen").arg(keyboard->chosenCards());
            press(Qt::Key_Return);
            if (!keyboard->isHolding())
                return QStringLiteral("nothing was lifted");
            if (!goTo(form->viewNamed(m.captured(2))))
                return QStringLiteral("the cursor never reaches ") + m.captured(2);
            press(Qt::Key_Return);
        } else {
            return QStringLiteral("unreadable line");
        }
        if (keyboard->isHolding())
            return QStringLiteral("the cards are still held");
        return form->dealText() == before ? QStringLiteral("the table did not change") : QString();
    }

private:
    GameWindow *form;
    TableKeyboard *keyboard;
};

struct WinningLine {
    quint32 seed = 0;
    QStringList moves;
};

// keywins/<game without spaces>.txt: "seed N", then one move a line; # starts a comment.
std::optional<WinningLine> readWinningLine(const QString &game)
{
    QFile file(QStringLiteral("keywins/%1.txt").arg(QString(game).remove(QLatin1Char(' '))));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    WinningLine line;
    for (const QString &raw : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const QString text = raw.section(QLatin1Char('#'), 0, 0).trimmed();
        if (text.startsWith(QLatin1String("seed ")))
            line.seed = text.mid(5).toUInt();
        else if (!text.isEmpty())
            line.moves << text;
    }
    return line;
}

GameWindow *openGame(const QString &game, bool small)
{
    TCard::SetCardSize(small ? FS_SMALL : FS_LARGE);
    const RegisteredGame *entry = GameRegistry::find(game);
    GameWindow *form = small ? entry->createSmall() : entry->createLarge();
    form->show();
    QApplication::setActiveWindow(form);
    return form;
}

}  // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT
    QPointer<GameWindow> form;

private Q_SLOTS:
    void cleanup()
    {
        if (DragManager::instance().carriedByKeys())
            DragManager::instance().cancel();
        delete form.data();
        TCard::SetCardSize(FS_LARGE);
    }

    void winByKeys_data() { AddRowPerGameAndSize(); }

    void winByKeys()
    {
        QFETCH(QString, game);
        QFETCH(bool, small);
        const std::optional<WinningLine> line = readWinningLine(game);
        if (!line)
            QSKIP("no winning line for this game yet");
        ShellKit kit;
        FixedSeed seed(line->seed);
        PreferencesDlg->DoAnimation = false;
        form = openGame(game, small);
        KeyPlayer player(form);
        for (int i = 0; i < line->moves.size() && !form->GameOver; ++i) {
            const QString fault = player.play(line->moves[i]);
            QVERIFY2(fault.isEmpty(), qPrintable(QStringLiteral("move %1 \"%2\": %3\n%4")
                                                     .arg(i + 1).arg(line->moves[i], fault, form->dealText())));
        }
        QVERIFY(form->GameOver);
        QCOMPARE(kit.dialogs.modals(), 1);
        QCOMPARE(form->Score, form->gameDescription().winningScore);
    }

    // Tab goes round every pile the table shows once, Shift+Tab the other way; the
    // rows come from the top down.
    void readingOrder_data() { AddRowPerGameAndSize(); }
    void readingOrder()
    {
        QFETCH(QString, game);
        QFETCH(bool, small);
        GameTestKit kit;
        form = openGame(game, small);
        auto *keyboard = form->findChild<TableKeyboard *>();
        KeyPlayer player(form);
        const QList<TCardPileView *> order = keyboard->readingOrder();
        int shown = 0;
        for (const TCardPileView *view : form->pileViews())
            shown += view->isVisible() ? 1 : 0;
        QCOMPARE(order.size(), shown);
        for (int i = 1; i < order.size(); ++i)
            QVERIFY(order[i]->y() + TCard::CardHeight() / 8 >= order[i - 1]->y());
        player.press(Qt::Key_Tab);
        QVERIFY(keyboard->isShowing());
        QCOMPARE(keyboard->focusedView(), order.first());
        for (int i = 1; i <= order.size(); ++i) {
            player.press(Qt::Key_Tab);
            QCOMPARE(keyboard->focusedView(), order[i % order.size()]);
        }
        player.press(Qt::Key_Backtab);
        QCOMPARE(keyboard->focusedView(), order.last());
        QVERIFY(!form->findChild<CardPileCursor *>()->ringRect().isEmpty());
        QTest::mousePress(order.first(), Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(order.first(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!keyboard->isShowing());
        QVERIFY(!form->findChild<CardPileCursor *>()->isVisible());
    }

    // Free Cell's deal: a column's top card lifted by keys is held and comes back on
    // Escape and on a mouse press; meanwhile Undo and the stock's key wait.
    void liftAndPutBack()
    {
        GameTestKit kit;
        form = openGame(QStringLiteral("Free Cell"), false);
        auto *keyboard = form->findChild<TableKeyboard *>();
        auto *cursor = form->findChild<CardPileCursor *>();
        KeyPlayer player(form);
        TCardPileView *column = form->viewNamed(QStringLiteral("TableauPileView1"));
        TCardPileView *cell = form->viewNamed(QStringLiteral("FreePileView1"));
        const QString table = form->dealText();
        QVERIFY(player.goTo(column));
        player.press(Qt::Key_Return);
        QVERIFY(keyboard->isHolding());
        QCOMPARE(column->DragPile->Count(), 1);
        QCOMPARE(cursor->heldBy(), column);
        player.press(Qt::Key_Z, Qt::ControlModifier);
        player.press(Qt::Key_Space);
        QVERIFY(keyboard->isHolding());
        player.press(Qt::Key_Escape);
        QVERIFY(!keyboard->isHolding());
        QCOMPARE(form->dealText(), table);
        QCOMPARE(cursor->heldBy(), nullptr);

        // A mouse press puts held cards back and hides the cursor.
        QVERIFY(player.goTo(column));
        player.press(Qt::Key_Return);
        QVERIFY(keyboard->isHolding());
        QTest::mouseClick(cell, Qt::LeftButton);
        QVERIFY(!keyboard->isHolding());
        QVERIFY(!keyboard->isShowing());
        QCOMPARE(form->dealText(), table);

        // Shift+Enter sends the top card as a double-click does: here, to a free cell.
        QVERIFY(player.goTo(column));
        player.press(Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(cell->Cards->Count(), 1);
        QCOMPARE(column->Cards->Count(), 6);
        player.press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->dealText(), table);

        // Into a free cell, undone with Ctrl+Z once the cards are down.
        QVERIFY(player.play(QStringLiteral("TableauPileView1 -> FreePileView1 x1")).isEmpty());
        QCOMPARE(cell->Cards->Count(), 1);
        QCOMPARE(form->MoveCount, 1);
        player.press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(form->dealText(), table);
    }

    // The same deal in two windows, one played with the mouse, the other with keys:
    // cards lifted and dropped by keys in the one and the same cards dragged in the
    // other (the pointer straight from the card to the middle of the target), an Enter
    // that lifts nothing and a click, cards put back and a click, give the same table,
    // count and caption: sticky and default targets, refusals and all.
    void keysDoWhatTheMouseDoes_data() { AddRowPerGameAndSize(); }
    void keysDoWhatTheMouseDoes()
    {
        QFETCH(QString, game);
        QFETCH(bool, small);
        GameTestKit kit;
        PreferencesDlg->DoAnimation = false;
        const QPointer<GameWindow> mouse = openGame(game, small);
        form = openGame(game, small);
        KeyPlayer player(form);
        auto *keyboard = form->findChild<TableKeyboard *>();
        std::mt19937 random(quint32(qHash(QString(QTest::currentDataTag()))));
        const auto below = [&random](qsizetype bound) { return int(random() % quint32(qMax<qsizetype>(1, bound))); };
        for (int step = 0; step < 60 && !mouse->GameOver; ++step) {
            const QList<TCardPileView *> order = keyboard->readingOrder();
            const int from = below(order.size()), to = below(order.size());
            TCardPileView *source = order[from];
            TCardPileView *twin = mouse->viewNamed(source->objectName());
            const int count = source->Cards->Count();
            const int cards = source->fansOut() ? 1 + below(qMax(1, FaceUpCount(source))) : 1;
            const QString what = QStringLiteral("step %1: %2 cards of %3 to %4").arg(step).arg(cards)
                                     .arg(source->objectName(), order[to]->objectName());
            QVERIFY2(player.goTo(source), qPrintable(what));
            for (int i = 1; i < cards; ++i)
                player.press(Qt::Key_Up);
            // Enter presses; what the press does not lift, a click of the mouse does.
            const QPoint at = count ? CardPoint(twin, count - keyboard->chosenCards()) : QPoint(3, 3);
            player.press(Qt::Key_Return);
            if (!keyboard->isHolding()) {
                QTest::mouseClick(twin, Qt::LeftButton, {}, at);
            } else if (below(4) == 0) {
                player.press(Qt::Key_Escape);
                QTest::mouseClick(twin, Qt::LeftButton, {}, at);
            } else {
                QVERIFY2(player.goTo(order[to]), qPrintable(what));
                player.press(Qt::Key_Return);
                TCardPileView *over = mouse->viewNamed(order[to]->objectName());
                const QPoint middle = twin->mapFromGlobal(over->mapToGlobal(over->rect().center()));
                QTest::mousePress(twin, Qt::LeftButton, {}, at);
                QTest::mouseMove(twin, at + QPoint(5, 5));
                QTest::mouseMove(twin, middle);
                QTest::mouseRelease(twin, Qt::LeftButton, {}, middle);
            }
            QVERIFY2(!keyboard->isHolding(), qPrintable(what));
            QVERIFY2(form->dealText() == mouse->dealText(), qPrintable(what + QStringLiteral("\nkeys:\n%1mouse:\n%2").arg(form->dealText(), mouse->dealText())));
            QCOMPARE(form->MoveCount, mouse->MoveCount);
            QCOMPARE(form->windowTitle(), mouse->windowTitle());
        }
        delete mouse.data();
    }

    // The ring lies around the chosen cards, in amber between black edges, at both card
    // sizes and twice the pixel density, on a light table and a dark one.
    void ringShows_data()
    {
        QTest::addColumn<bool>("small");
        QTest::addColumn<QColor>("table");
        QTest::newRow("large/dark") << false << QColor(0, 64, 0);
        QTest::newRow("large/light") << false << QColor(240, 240, 230);
        QTest::newRow("small/dark") << true << QColor(0, 0, 0);
        QTest::newRow("small/light") << true << QColor(255, 255, 255);
    }
    void ringShows()
    {
        QFETCH(bool, small);
        QFETCH(QColor, table);
        GameTestKit kit;
        form = openGame(QStringLiteral("Klondike"), small);
        for (TCardPileView *view : form->pileViews())
            view->Color = table;
        KeyPlayer player(form);
        TCardPileView *column = form->viewNamed(QStringLiteral("TableauPileView7"));
        QVERIFY(player.goTo(column));
        auto *cursor = form->findChild<CardPileCursor *>();
        const QRect ring = cursor->ringRect();
        const QRect top = column->CardRectAt(6).translated(column->pos());
        QVERIFY(ring.contains(top) && !ring.contains(top.adjusted(-8, -8, 8, 8)));
        // CARDENZA_RING_PICTURES=<folder> keeps the pictures, to look at.
        const auto picture = [this](qreal ratio, const QString &name) {
            QImage picture(form->size() * ratio, QImage::Format_ARGB32_Premultiplied);
            picture.setDevicePixelRatio(ratio);
            form->render(&picture);
            if (qEnvironmentVariableIsSet("CARDENZA_RING_PICTURES"))
                picture.save(QStringLiteral("%1/%2-%3-%4.png").arg(qEnvironmentVariable("CARDENZA_RING_PICTURES"), name,
                    QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char('/'), QLatin1Char('-'))).arg(ratio));
            return picture;
        };
        for (const qreal ratio : {1.0, 2.0}) {
            const QImage shown = picture(ratio, QStringLiteral("ring"));
            const QPoint band = QPoint(ring.center().x(), ring.bottom() - 2) * ratio;
            const QColor amber = shown.pixelColor(band);
            QVERIFY2(amber.red() > 200 && amber.green() > 150 && amber.blue() < 80, qPrintable(amber.name()));
            const QColor edge = shown.pixelColor(QPoint(ring.center().x(), ring.bottom()) * ratio);
            QVERIFY2(edge.lightness() < 100, qPrintable(edge.name()));
        }
        // Lifted, the card rises: its old place's last rows show the table or a shadow.
        const QColor face = picture(1.0, QStringLiteral("before")).pixelColor(top.center().x(), top.bottom() - 1);
        KeyPlayer(form).press(Qt::Key_Return);
        QCOMPARE(cursor->heldBy(), column);
        const QImage lifted = picture(2.0, QStringLiteral("lifted"));
        QVERIFY(lifted.pixelColor(QPoint(top.center().x(), top.bottom() - 1) * 2) != face);
        QVERIFY(lifted.pixelColor(QPoint(top.center().x(), top.bottom() - 1 - CardPileCursor::liftHeight()) * 2) == face);
    }

    // Names and values as the tools read them.
    void accessibleTable()
    {
        GameTestKit kit;
        form = openGame(QStringLiteral("Klondike"), false);
        const auto read = [](QObject *view, QAccessible::Text text) {
            return QAccessible::queryAccessibleInterface(view)->text(text);
        };
        TCardPileView *stock = form->viewNamed(QStringLiteral("DeckPileView"));
        TCardPileView *seventh = form->viewNamed(QStringLiteral("TableauPileView7"));
        TCardPileView *foundation = form->viewNamed(QStringLiteral("FoundationPile1"));
        QCOMPARE(read(stock, QAccessible::Name), QStringLiteral("Stock"));
        QCOMPARE(read(stock, QAccessible::Description), QStringLiteral("24 cards"));
        QCOMPARE(read(form->viewNamed(QStringLiteral("DiscardPileView")), QAccessible::Name), QStringLiteral("Waste"));
        QCOMPARE(read(seventh, QAccessible::Name), QStringLiteral("Column 7"));
        QCOMPARE(read(seventh, QAccessible::Description),
                 TableAccessibility::cardName(seventh->Cards->CardAt(6)) + QStringLiteral(" on 6 face-down cards"));
        QCOMPARE(read(foundation, QAccessible::Name), QStringLiteral("Foundation 1"));
        QCOMPARE(read(foundation, QAccessible::Description), QStringLiteral("empty"));
        Place(form, FS_HEARTS, FS_QUEEN, seventh);
        QCOMPARE(read(seventh, QAccessible::Description),
                 QStringLiteral("Queen of Hearts on %1 on 6 face-down cards")
                     .arg(TableAccessibility::cardName(seventh->Cards->CardAt(6))));
        const int stockCards = stock->Cards->Count();

        // The tools hear the changes only from a platform with accessibility (the
        // AT-SPI test); here the piles read the new state.
        KeyPlayer player(form);
        QVERIFY(player.goTo(stock));
        player.press(Qt::Key_Return);  // the stock's click
        QCOMPARE(read(form->viewNamed(QStringLiteral("DiscardPileView")), QAccessible::Description).count(QStringLiteral(" on ")), 2);
        QCOMPARE(read(stock, QAccessible::Description), QStringLiteral("%1 cards").arg(stockCards - 3));
    }

    // Around the table: the launcher's jester opens the info box from the keyboard, a
    // colour swatch of the preferences its chooser; the controls have names.
    void dialogsByKeys()
    {
        GameTestKit kit;
        LauncherWindow launcher;
        QCOMPARE(SolitaireForm->GameSelectListBox->accessibleName(), QStringLiteral("Games"));
        QVERIFY(SolitaireForm->Image1->focusPolicy() & Qt::TabFocus);
        QTest::keyClick(SolitaireForm->Image1, Qt::Key_Return);
        QVERIFY(InfoBox);
        InfoBox->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        auto *swatch = PreferencesDlg->findChild<QWidget *>(QStringLiteral("Panel1"));
        QVERIFY(swatch->focusPolicy() & Qt::TabFocus);
        QCOMPARE(QAccessible::queryAccessibleInterface(swatch)->text(QAccessible::Name),
                 QStringLiteral("Select Solid Color"));
        const int before = kit.dialogs.modals();
        QTest::keyClick(swatch, Qt::Key_Space);
        QCOMPARE(kit.dialogs.modals(), before + 1);
        auto *custom = PreferencesDlg->findChild<QWidget *>(QStringLiteral("RadioButton4"));
        QCOMPARE(QAccessible::queryAccessibleInterface(custom)->text(QAccessible::Name), QStringLiteral("Custom card back"));
    }

    void placesByRow()
    {
        GameTestKit kit;
        form = openGame(QStringLiteral("Montana"), false);
        const QList<TCardPileView *> places = form->viewsOf(PileRole::Place);
        QCOMPARE(TableAccessibility::pileName(form, places[0]), QStringLiteral("Row 1, place 1"));
        QCOMPARE(TableAccessibility::pileName(form, places[14]), QStringLiteral("Row 2, place 2"));
    }
};

QTEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
