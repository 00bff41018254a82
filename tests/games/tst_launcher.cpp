// SPDX-License-Identifier: MIT
#include "GameTestKit.h"

#include "games/GolfWindow.h"
#include "games/KlondikeWindow.h"
#include "platform/ImageList.h"
#include "platform/Screen.h"
#include "resources/Resources.h"
#include "shell/GameCatalog.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>

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

    // A desktop with a notification area while this lives.
    struct TrayAvailable {
        bool available = true;
        const std::function<bool()> desktop = TSolitaireForm::systemTrayAvailable;
        TrayAvailable() { TSolitaireForm::systemTrayAvailable = [this] { return available; }; }
        ~TrayAvailable() { TSolitaireForm::systemTrayAvailable = desktop; }
        Q_DISABLE_COPY(TrayAvailable)
    };

    static QAction *trayItem(const char *name)
    {
        return SolitaireForm->TrayPopupMenu->findChild<QAction *>(QString::fromLatin1(name));
    }

    static QImage previewShown() { return SolitaireForm->GameImage->pixmap().toImage(); }
    static QImage previewOf(const char *name)
    {
        const QString picture = GameCatalog::entries()[indexOf(name)]->preview;
        return QPixmap::fromImage(Resources::bitmap(picture)).toImage();
    }

    // The tray on and the launcher minimised into it.
    static void hideInTray()
    {
        SolitaireForm->SetTrayActive(true);
        SolitaireForm->showMinimized();
        QTRY_VERIFY(SolitaireForm->isHiddenInTray());
        QVERIFY(!SolitaireForm->isVisible());
    }

    // Unticks "Minimize to Tray" in the preferences opened from a game's menu.
    static void turnTrayOffFrom(QWidget *game, DialogLog &dialogs)
    {
        dialogs.onModal = [](const Dialogs::Record &record) {
            record.window->findChild<QCheckBox *>(QStringLiteral("CheckBox2"))->setChecked(false);
            return int(QDialog::Accepted);
        };
        game->findChild<QAction *>(QStringLiteral("Preferences1"))->trigger();
        dialogs.onModal = {};
        QVERIFY(!PreferencesDlg->MinimizeToTray);
    }

private Q_SLOTS:
    void init() { launcher.emplace(); }
    void cleanup()
    {
        launcher.reset();
        Screen::overridePictureRatio(std::nullopt);
        TCard::SetCardSize(FS_LARGE);
    }

    // Every game enters itself from its own file, with a preview that exists.
    void listsTheTwelveGamesInOrder()
    {
        const QStringList games = {"Beleaguered Castle", "Double Klondike", "Forty Thieves", "Free Cell",
                                   "Golf",               "Indian Patience", "Klondike",      "Montana",
                                   "Pyramid",            "Queen of Italy",  "Sea Towers",    "Spider"};
        QStringList listed;
        for (int row = 0; row < SolitaireForm->GameSelectListBox->count(); ++row)
            listed << SolitaireForm->GameSelectListBox->item(row)->text();
        QCOMPARE(listed, games);
        for (const GameEntry *game : GameCatalog::entries())
            QVERIFY2(Resources::bitmap(game->preview).size() == QSize(320, 125), qPrintable(game->name));
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
        SolitaireForm->SelectGame(indexOf("Golf"));  // the open game is asked first
        QVERIFY(KlondikeForm);
        QCOMPARE(SolitaireForm->GameSelectListBox->currentRow(), indexOf("Klondike"));
        QCOMPARE(LastGameIndex, indexOf("Klondike"));
        QVERIFY(!SolitaireForm->CanCloseGames);
        QVERIFY(!SolitaireForm->close());  // the launcher stays open too
    }

    // On a dense screen the pictures have twice the pixels; every place and size in
    // logical pixels stays as it is.
    void aDenseScreenGetsSharpPicturesInTheSameLayout()
    {
        SolitaireForm->SelectGame(indexOf("Klondike"));
        const QSize ordinaryWindow = KlondikeForm->size();
        const QRect ordinaryStock = KlondikeForm->findChild<QWidget *>(QStringLiteral("DeckPileView"))->geometry();
        SolitaireForm->CloseAllGames();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        launcher.reset();
        Screen::overridePictureRatio(2.0);
        launcher.emplace();
        const QPixmap jester = SolitaireForm->Image1->pixmap();
        QCOMPARE(jester.devicePixelRatio(), 2.0);
        QCOMPARE(jester.deviceIndependentSize().toSize(), Resources::bitmap(QStringLiteral("JESTER1")).size());
        SolitaireForm->SelectGame(indexOf("Klondike"));
        const QPixmap preview = SolitaireForm->GameImage->pixmap();
        QCOMPARE(preview.size(), QSize(640, 250));
        QCOMPARE(preview.deviceIndependentSize().toSize(), QSize(320, 125));
        QVERIFY(KlondikeForm);
        QCOMPARE(KlondikeForm->size(), ordinaryWindow);
        QCOMPARE(KlondikeForm->findChild<QWidget *>(QStringLiteral("DeckPileView"))->geometry(), ordinaryStock);
        QCOMPARE(TCard::GetCardImageList()->Ratio(), 2.0);
        QCOMPARE(TCard::GetCardImageList()->Width(), 80);
        Screen::overridePictureRatio(std::nullopt);
    }

    void theCatalogueFindsGamesByNameInAnyCase()
    {
        QCOMPARE(indexOf("klondike"), 6);
        QCOMPARE(indexOf("No Such Game"), -1);
    }

    void theArrowsChooseAGameAndEnterOpensIt()
    {
        QListWidget *list = SolitaireForm->GameSelectListBox;
        list->setCurrentRow(indexOf("Free Cell"));
        QTest::keyClick(list, Qt::Key_Down);  // onto Golf, which opens
        QCOMPARE(list->currentRow(), indexOf("Golf"));
        QCOMPARE(previewShown(), previewOf("Golf"));
        QCOMPARE(LastGameIndex, indexOf("Golf"));
        QVERIFY(GolfForm && GolfForm->isVisible());

        list->setCurrentRow(indexOf("Klondike"));  // as a mouse would select it, no click
        QVERIFY(!KlondikeForm);
        QTest::keyClick(list, Qt::Key_Return);
        QVERIFY(KlondikeForm);
        QCOMPARE(SolitaireForm->OpenGameWindow(), static_cast<QWidget *>(KlondikeForm));  // Golf closed first
        QCOMPARE(previewShown(), previewOf("Klondike"));
        QPointer<TKlondikeForm> opened = KlondikeForm;
        QTest::keyClick(list, Qt::Key_Enter);  // already open: the same window stays
        QCOMPARE(KlondikeForm.data(), opened.data());
    }

    void theTrayItemsRestoreTheLauncherAndEndTheProgram()
    {
        const TrayAvailable tray;
        hideInTray();
        trayItem("Restore1")->trigger();
        QVERIFY(SolitaireForm->isVisible());
        QVERIFY(!SolitaireForm->isMinimized());
        QVERIFY(!SolitaireForm->isHiddenInTray());

        hideInTray();
        SolitaireForm->SelectGame(indexOf("Klondike"));
        QSignalSpy closed(SolitaireForm, &TSolitaireForm::Closed);
        trayItem("Exit1")->trigger();
        QCOMPARE(closed.count(), 1);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!KlondikeForm);  // the game went first
    }

    void turningTheTrayOffBringsTheHiddenLauncherBack()
    {
        const TrayAvailable tray;
        hideInTray();
        SolitaireForm->SelectGame(indexOf("Klondike"));
        turnTrayOffFrom(KlondikeForm, launcher->kit.dialogs);
        QVERIFY(!SolitaireForm->TrayIcon->isVisible());
        QVERIFY(SolitaireForm->isVisible());
        QVERIFY(!SolitaireForm->isMinimized());
        KlondikeForm->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(SolitaireForm->isVisible());  // the program is still there to be ended
    }

    void aVanishingNotificationAreaBringsTheHiddenLauncherBack()
    {
        TrayAvailable tray;
        SolitaireForm->SetTrayActive(false);  // with the tray off a minimised launcher stays put
        SolitaireForm->showMinimized();
        QCoreApplication::processEvents();
        QVERIFY(!SolitaireForm->isHiddenInTray());
        QVERIFY(SolitaireForm->isVisible());
        SolitaireForm->showNormal();

        hideInTray();
        tray.available = false;
        auto *watch = SolitaireForm->findChild<QTimer *>(QStringLiteral("trayWatch"));
        QVERIFY(watch && watch->isActive());
        watch->setInterval(1);  // the next look at the notification area, now
        QTRY_VERIFY(SolitaireForm->isVisible());
        QVERIFY(!SolitaireForm->isMinimized());
        QVERIFY(!SolitaireForm->TrayIcon->isVisible());
        QVERIFY(!watch->isActive());
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
