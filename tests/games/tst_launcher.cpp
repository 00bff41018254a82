// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/Games.h"
#include "games/KlondikeWindow.h"
#include "platform/Screen.h"
#include "shell/GameCatalog.h"
#include "shell/Requirements.h"
#include "shell/SolitaireWindow.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QTest>

class TestLauncher : public QObject
{
    Q_OBJECT

    // A wide screen unless a test says otherwise, so that large cards are the default.
    struct WideScreen {
        WideScreen() { Screen::overrideWidth(1280); }
    };
    struct Launcher : WideScreen {
        GameTestKit kit;
        Launcher()
        {
            SolitaireForm = new TSolitaireForm;
            SysRequirementsForm = new TSysRequirementsForm;
            SolitaireForm->show();
            LastGameIndex = 0;
        }
        ~Launcher()
        {
            kit.answer = Dialogs::Ok;
            SolitaireForm->CloseAllGames();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            delete SysRequirementsForm;
            SysRequirementsForm = nullptr;
            delete SolitaireForm;
            SolitaireForm = nullptr;
            Screen::overrideWidth(std::nullopt);
        }
        int modalRequirements() const
        {
            int shown = 0;
            for (const Dialogs::Record &record : Dialogs::history())
                shown += record.window == SysRequirementsForm ? 1 : 0;
            return shown;
        }
    };

    static int indexOf(const char *name) { return GameCatalog::indexOf(QString::fromLatin1(name)); }

private Q_SLOTS:
    void initTestCase() { RegisterGames(); }
    void init() { Dialogs::clearHistory(); }

    void listsTheTwelveGamesInOrder()
    {
        Launcher launcher;
        QCOMPARE(SolitaireForm->GameSelectListBox->count(), 12);
        QCOMPARE(SolitaireForm->GameSelectListBox->item(0)->text(), QStringLiteral("Beleaguered Castle"));
        QCOMPARE(SolitaireForm->GameSelectListBox->item(6)->text(), QStringLiteral("Klondike"));
        QCOMPARE(SolitaireForm->GameSelectListBox->item(11)->text(), QStringLiteral("Spider"));
        QCOMPARE(SolitaireForm->size(), QSize(329, 241));
        QCOMPARE(SolitaireForm->windowTitle(), QStringLiteral("Cardenza!"));
    }

    void opensOneGameWindowAtATime()
    {
        Launcher launcher;
        Screen::overrideWidth(1280);
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
        Launcher launcher;
        Screen::overrideWidth(1280);
        SolitaireForm->SelectGame(indexOf("Klondike"));
        for (int i = 0; i < 6; ++i)
            KlondikeForm->DeckPileViewClick();
        launcher.kit.answer = Dialogs::Cancel;
        SolitaireForm->SelectGame(indexOf("Golf"));
        QVERIFY(KlondikeForm);
        QCOMPARE(SolitaireForm->GameSelectListBox->currentRow(), indexOf("Klondike"));
        QCOMPARE(LastGameIndex, indexOf("Klondike"));
        QVERIFY(!SolitaireForm->CanCloseGames);
        QVERIFY(!SolitaireForm->close());  // the launcher stays open too
    }

    void aGameNotBuiltYetShowsItsPreviewAndOpensNothing()
    {
        Launcher launcher;
        Screen::overrideWidth(1280);
        SolitaireForm->SelectGame(indexOf("Golf"));
        QVERIFY(!SolitaireForm->OpenGameWindow());
        QVERIFY(!SolitaireForm->StartPanel->isVisible());
        QCOMPARE(LastGameIndex, indexOf("Golf"));
        QVERIFY(launcher.kit.messages.isEmpty());
    }

    void screenChecksAtTheEdgeWidths()
    {
        Launcher launcher;
        Screen::overrideWidth(800);
        SolitaireForm->SelectGame(indexOf("Klondike"));  // large cards need 800: opens
        QVERIFY(KlondikeForm);
        QCOMPARE(launcher.modalRequirements(), 0);
        SolitaireForm->SelectGame(indexOf("Spider"));  // large cards need 1024: refused
        QCOMPARE(launcher.modalRequirements(), 1);
        QCOMPARE(LastGameIndex, indexOf("Spider"));
        Screen::overrideWidth(1000);
        Dialogs::clearHistory();
        SolitaireForm->SelectGame(indexOf("Spider"));
        QCOMPARE(launcher.modalRequirements(), 1);
        PreferencesDlg->CardSize = 0;
        Dialogs::clearHistory();
        SolitaireForm->SelectGame(indexOf("Spider"));  // small cards need 800: passes
        QCOMPARE(launcher.modalRequirements(), 0);
    }

    void aPaletteDisplayRefusesEveryGame()
    {
        Launcher launcher;
        Screen::overrideColors(256);
        SolitaireForm->SelectGame(indexOf("Klondike"));
        QVERIFY(!KlondikeForm);
        QCOMPARE(launcher.modalRequirements(), 1);
        QVERIFY(SolitaireForm->StartPanel->isVisibleTo(SolitaireForm));  // stopped before the preview
        Screen::overrideColors(std::nullopt);
    }
};

QTEST_MAIN(TestLauncher)
#include "tst_launcher.moc"
