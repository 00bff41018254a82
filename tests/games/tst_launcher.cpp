// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/Games.h"
#include "games/KlondikeWindow.h"
#include "shell/GameCatalog.h"

#include <QFrame>
#include <QListWidget>
#include <QTest>

class TestLauncher : public QObject
{
    Q_OBJECT

    struct Launcher {
        ScreenOverride screen{1280};  // wide unless a test says otherwise: large cards fit
        GameTestKit kit;
        LauncherWindow window;
        Launcher() { LastGameIndex = 0; }
        ~Launcher() { kit.dialogs.answer = Dialogs::Ok; }  // so that every game closes
    };

    std::optional<Launcher> launcher;

    static int indexOf(const char *name) { return GameCatalog::indexOf(QString::fromLatin1(name)); }

private Q_SLOTS:
    void initTestCase() { RegisterGames(); }
    void init() { launcher.emplace(); }
    void cleanup() { launcher.reset(); }

    void listsTheTwelveGamesInOrder()
    {
        QCOMPARE(SolitaireForm->GameSelectListBox->count(), 12);
        QCOMPARE(SolitaireForm->GameSelectListBox->item(0)->text(), QStringLiteral("Beleaguered Castle"));
        QCOMPARE(SolitaireForm->GameSelectListBox->item(6)->text(), QStringLiteral("Klondike"));
        QCOMPARE(SolitaireForm->GameSelectListBox->item(11)->text(), QStringLiteral("Spider"));
        QCOMPARE(SolitaireForm->size(), QSize(329, 241));
        QCOMPARE(SolitaireForm->windowTitle(), QStringLiteral("Cardenza!"));
    }

    void opensOneGameWindowAtATime()
    {
        SolitaireForm->SelectGame(indexOf("Klondike"));
        QVERIFY(KlondikeForm);
        QPointer<TKlondikeForm> first = KlondikeForm;
        QVERIFY(!SolitaireForm->StartPanel->isVisible());
        SolitaireForm->SelectGame(indexOf("Klondike"));  // already open: nothing happens
        QCOMPARE(KlondikeForm.data(), first.data());
        PreferencesDlg->CardSize = 0;  // small cards chosen meanwhile
        SolitaireForm->SelectGame(indexOf("Klondike"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!KlondikeForm);
        QVERIFY(sKlondikeForm);
        QCOMPARE(TCard::GetCardSize(), FS_SMALL);
        QCOMPARE(LastGameIndex, indexOf("Klondike"));
        TCard::SetCardSize(FS_LARGE);
    }

    void aRefusedCloseKeepsTheGameAndThePreviousSelection()
    {
        SolitaireForm->SelectGame(indexOf("Klondike"));
        for (int i = 0; i < 6; ++i)
            KlondikeForm->DeckPileViewClick();
        launcher->kit.dialogs.answer = Dialogs::Cancel;
        SolitaireForm->SelectGame(indexOf("Golf"));
        QVERIFY(KlondikeForm);
        QCOMPARE(SolitaireForm->GameSelectListBox->currentRow(), indexOf("Klondike"));
        QCOMPARE(LastGameIndex, indexOf("Klondike"));
        QVERIFY(!SolitaireForm->CanCloseGames);
        QVERIFY(!SolitaireForm->close());  // the launcher stays open too
    }

    void aGameNotBuiltYetShowsItsPreviewAndOpensNothing()
    {
        int unbuilt = -1;
        for (int i = 0; i < GameCatalog::entries().size() && unbuilt < 0; ++i)
            if (!GameCatalog::entries()[i].createLarge)
                unbuilt = i;
        if (unbuilt < 0)
            QSKIP("every game is built");
        SolitaireForm->SelectGame(unbuilt);
        QVERIFY(!SolitaireForm->OpenGameWindow());
        QVERIFY(!SolitaireForm->StartPanel->isVisible());
        QCOMPARE(LastGameIndex, unbuilt);
        QVERIFY(launcher->kit.dialogs.records().isEmpty());
    }

    void screenChecksAtTheEdgeWidths()
    {
        const DialogLog &dialogs = launcher->kit.dialogs;
        launcher->screen.setWidth(800);
        SolitaireForm->SelectGame(indexOf("Klondike"));  // large cards need 800: opens
        QVERIFY(KlondikeForm);
        QCOMPARE(dialogs.modals(SysRequirementsForm), 0);
        SolitaireForm->SelectGame(indexOf("Spider"));  // large cards need 1024: refused
        QCOMPARE(dialogs.modals(SysRequirementsForm), 1);
        QCOMPARE(LastGameIndex, indexOf("Spider"));
        launcher->screen.setWidth(1000);
        SolitaireForm->SelectGame(indexOf("Spider"));
        QCOMPARE(dialogs.modals(SysRequirementsForm), 2);
        PreferencesDlg->CardSize = 0;
        SolitaireForm->SelectGame(indexOf("Spider"));  // small cards need 800: passes
        QCOMPARE(dialogs.modals(SysRequirementsForm), 2);
    }

    void aPaletteDisplayRefusesEveryGame()
    {
        launcher->screen.setColors(256);
        SolitaireForm->SelectGame(indexOf("Klondike"));
        QVERIFY(!KlondikeForm);
        QCOMPARE(launcher->kit.dialogs.modals(SysRequirementsForm), 1);
        QVERIFY(SolitaireForm->StartPanel->isVisibleTo(SolitaireForm));  // stopped before the preview
    }
};

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
