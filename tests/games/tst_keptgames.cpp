// SPDX-License-Identifier: MIT
// A game kept for next time: written when its window closes, shown again when the
// window opens, with its undo and redo; a kept game that cannot be used is set aside
// with one message, and a fresh deal follows.
#include "GameTestKit.h"

#include "games/KlondikeWindow.h"
#include "shell/SavedGames.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QSet>

namespace {

QString keptFile() { return SavedGames::filePath(QStringLiteral("Klondike")); }

// Each card of the deck once on the table.
bool eachCardOnce(const GameWindow *form)
{
    QSet<QString> seen;
    int count = 0;
    for (const TCardPileView *view : form->pileViews())
        for (int i = 0; i < view->Cards->Count(); ++i, ++count)
            seen.insert(CardText(view->Cards->CardAt(i)).toUpper());
    return count == 52 && seen.size() == 52;
}

// A few stock clicks by mouse, then one taken back, so that there is one to redo.
void playSome(TKlondikeForm *form)
{
    for (int i = 0; i < 8; ++i)
        QTest::mouseClick(form->DeckPileView, Qt::LeftButton, {}, {30, 30});
    form->Undo1->trigger();
}

void writeKept(const QByteArray &text)
{
    QDir().mkpath(SavedGames::directory());
    QFile file(keptFile());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

}  // namespace

class TestKeptGames : public QObject
{
    Q_OBJECT
    std::unique_ptr<GameTestKit> kit;

    QString validText()
    {
        DealtWindow<TKlondikeForm> form;
        playSome(form);
        return form->savedText();
    }

private Q_SLOTS:
    void init()
    {
        kit = std::make_unique<GameTestKit>();
        PreferencesDlg->KeepGames = true;
        PreferencesDlg->DoAnimation = false;
    }
    void cleanup() { kit.reset(); }

    void aGameUnderWayIsKeptAtCloseAndShownAgainAtOpen()
    {
        auto *form = createGameWindow<TKlondikeForm>();
        form->show();
        playSome(form);
        const QString table = form->dealText(), caption = form->windowTitle();
        const int moves = form->MoveCount;
        QVERIFY(moves > form->gameDescription().promptThreshold);
        kit->dialogs.clear();
        QVERIFY(form->close());
        QVERIFY2(kit->dialogs.records().isEmpty(), "a kept game closes without the quit question");
        QVERIFY(QFile::exists(keptFile()));

        DealtWindow<TKlondikeForm> again;
        QCOMPARE(again->dealText(), table);
        QCOMPARE(again->MoveCount, moves);
        QCOMPARE(again->windowTitle(), caption);
        QVERIFY(again->Undo1->isEnabled());
        QVERIFY(again->Redo1->isEnabled());
        again->Redo1->trigger();
        QCOMPARE(again->MoveCount, moves + 1);
        // New Game asks as always, and a refusal keeps the game.
        kit->dialogs.answer = Dialogs::Cancel;
        again->NewGame1->trigger();
        QCOMPARE(again->MoveCount, moves + 1);
        QCOMPARE(kit->dialogs.records().size(), 1);
        kit->dialogs.answer = Dialogs::Ok;
        again->NewGame1->trigger();
        QCOMPARE(again->MoveCount, 0);
        QVERIFY2(!QFile::exists(keptFile()), "the kept game goes once another is dealt");
    }

    void withTheOptionOffTheQuitQuestionStaysAndNothingIsKept()
    {
        PreferencesDlg->KeepGames = false;
        auto *form = createGameWindow<TKlondikeForm>();
        playSome(form);
        QVERIFY(form->close());
        QCOMPARE(kit->dialogs.records().size(), 1);
        QVERIFY(!QFile::exists(keptFile()));
    }

    void aKeptGameThatCannotBeUsedIsSetAsideAndAFreshDealFollows_data()
    {
        QTest::addColumn<int>("damage");
        QTest::newRow("truncated") << 0;
        QTest::newRow("a line garbled") << 1;
        QTest::newRow("a newer format") << 2;
        QTest::newRow("another game's") << 3;
        QTest::newRow("a card doubled") << 4;
        QTest::newRow("a card missing") << 5;
        QTest::newRow("a table that does not follow from its moves") << 6;
        QTest::newRow("the small window's game") << 7;
        QTest::newRow("not UTF-8") << 8;
        QTest::newRow("a dangling link") << 9;
    }
    void aKeptGameThatCannotBeUsedIsSetAsideAndAFreshDealFollows()
    {
        QFETCH(int, damage);
        QString text = validText();
        const QString fresh = DealtWindow<TKlondikeForm>()->dealText();
        QStringList lines = text.split(QLatin1Char('\n'));
        const int tableLine = int(lines.indexOf(QStringLiteral("Table:"))) + 2;
        switch (damage) {
        case 0: text.truncate(text.size() / 2); break;
        case 1: text.replace(QStringLiteral("Caption: "), QStringLiteral("Captain: ")); break;
        case 2: text.replace(QStringLiteral("format 2"), QStringLiteral("format 3")); break;
        case 3: text.replace(QStringLiteral("Game: Klondike"), QStringLiteral("Game: Golf")); break;
        case 4: lines[tableLine] += QStringLiteral(" AS"); text = lines.join(QLatin1Char('\n')); break;
        case 5: lines[tableLine].chop(3); text = lines.join(QLatin1Char('\n')); break;
        case 6:
            lines[tableLine + 1] += QLatin1Char(' ') + lines[tableLine].right(2);
            lines[tableLine].chop(3);
            text = lines.join(QLatin1Char('\n'));
            break;
        case 7: text.replace(QStringLiteral("Size: large"), QStringLiteral("Size: small")); break;
        }
        if (damage == 9) {
            QDir().mkpath(SavedGames::directory());
            QVERIFY(QFile::link(keptFile() + QStringLiteral(".gone"), keptFile()));
        } else {
            writeKept(damage == 8 ? QByteArray("Cardenza! saved game, format 1\n\xff\xfe") : text.toUtf8());
        }
        kit->dialogs.clear();
        DealtWindow<TKlondikeForm> form;
        QCOMPARE(kit->dialogs.messages().size(), 1);
        QVERIFY2(kit->dialogs.messages().first().contains(keptFile()), qPrintable(kit->dialogs.messages().first()));
        QVERIFY(!QFileInfo::exists(keptFile()) && !QFileInfo(keptFile()).isSymLink());
        QVERIFY(QFileInfo(keptFile() + QStringLiteral(".bad")).isSymLink() || QFile::exists(keptFile() + QStringLiteral(".bad")));
        QCOMPARE(form->dealText(), fresh);
        QVERIFY(eachCardOnce(form));
        QCOMPARE(form->MoveCount, 0);
    }
};

QTEST_MAIN(TestKeptGames)
#include "tst_keptgames.moc"
