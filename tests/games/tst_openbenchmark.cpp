// SPDX-License-Identifier: MIT
// How long a player waits between choosing a game in the launcher and seeing its
// table: the window is created, dealt silently and painted once, at each card size;
// with the pictures at hand, and for the first time, its pictures read or drawn.
// Measured, not asserted; run `tests/games_tst_openbenchmark -iterations 50` for a
// steadier figure.
#include "GameTestKit.h"

#include "cards/CardImages.h"
#include "games/GameRegistry.h"
#include "resources/Resources.h"
#include "shell/GameCatalog.h"

#include <QTest>

class BenchmarkOpening : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void openFromTheLauncher_data() { AddRowPerGameAndSize(); }
    void openFromTheLauncher() { measureOpening(Pictures::Kept); }

    // The first opening at a card size: the preview and the cards' pictures are read
    // from the pictures drawn at build time, as the program does.
    void openFirstTimeReadingPictures_data() { AddRowPerGameAndSize(); }
    void openFirstTimeReadingPictures() { measureOpening(Pictures::Read); }

    // The same with every picture drawn when first needed (no pictures folder).
    void openFirstTimeDrawingPictures_data() { AddRowPerGameAndSize(); }
    void openFirstTimeDrawingPictures() { measureOpening(Pictures::Drawn); }

private:
    enum class Pictures { Kept, Read, Drawn };

    static void forgetPictures()
    {
        Resources::releasePictures();
        CardImages::release();
    }

    void measureOpening(Pictures pictures)
    {
        QFETCH(QString, game);
        QFETCH(bool, small);
        const ScreenOverride wide(1280);
        const GameTestKit kit;
        PreferencesDlg->CardSize = small ? 0 : 1;
        const LauncherWindow launcher;
        const int index = GameCatalog::indexOf(game);
        const RegisteredGame *entry = GameRegistry::find(game);
        Resources::usePictureFolder(pictures == Pictures::Read ? QStringLiteral(CARDENZA_PICTURE_DIR) : QString());
        QBENCHMARK {
            if (pictures != Pictures::Kept)
                forgetPictures();
            SolitaireForm->SelectGame(index);
            GameWindow *window = small ? entry->smallWindow() : entry->largeWindow();
            QVERIFY(window);
            window->grab();  // paints every view, exposed yet or not
            SolitaireForm->CloseAllGames();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        Resources::usePictureFolder(QString());
    }
};

QTEST_MAIN(BenchmarkOpening)
#include "tst_openbenchmark.moc"
