// SPDX-License-Identifier: MIT
#include "shell/Sounds.h"

#include "shell/Tray.h"
#include "support/ShellKit.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

using Operation = void (TSoundManager::*)();
Q_DECLARE_METATYPE(Operation)

namespace {

struct Sounding {
    const char *label;
    Operation operation;
    const char *heard;
};

const Sounding everyOperation[] = {
    {"Shuffle", &TSoundManager::PlayShuffle, "SHUFFLE sync"},
    {"Deal", &TSoundManager::PlayDeal, "DEAL sync"},
    {"Open", &TSoundManager::PlayOpen, "OPEN async"},
    {"Jester", &TSoundManager::PlayJester, "JESTER async"},
    {"Stock", &TSoundManager::PlayStock, "STOCK sync"},
    {"Undo", &TSoundManager::PlayUndo, "UNDO sync"},
    {"Autoplay", &TSoundManager::PlayAutoplay, "AUTOPLAY sync"},
    {"AutoplayAsync", &TSoundManager::PlayAutoplayAsync, "AUTOPLAY async"},
    {"Restart", &TSoundManager::PlayRestart, "RESTART sync"},
    {"Win", &TSoundManager::PlayWin, "WIN_SND async"},
};

}  // namespace

class TestSounds : public QObject
{
    Q_OBJECT

    SettingsDirectory settings;
    DialogLog dialogs;
    TSoundManager manager;
    std::optional<PreferencesScope> preferences;

    // Opens the dialog, clicks "Enable Sounds" on its page and closes it with OK.
    void toggleSoundsInDialog()
    {
        TPreferencesDlg *dialog = PreferencesDlg;
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        auto *pages = dialog->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        auto *enable = dialog->findChild<QCheckBox *>(QStringLiteral("CheckBox1"));
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("OKBtn"));
        QVERIFY(pages && enable && ok);
        pages->setCurrentWidget(enable->parentWidget());
        QTest::mouseClick(enable, Qt::LeftButton, {}, QPoint(7, enable->height() / 2));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
    }

    void playAll()
    {
        for (const Sounding &sounding : everyOperation)
            (manager.*sounding.operation)();
    }

private Q_SLOTS:
    void initTestCase()
    {
        Tray::setHandler([](bool) {});
        const SoundLog silence;  // the chime the preferences play when they are made
        preferences.emplace();
    }

    void cleanupTestCase() { preferences.reset(); }

    void init() { PreferencesDlg->DoSound = true; }

    void eachOperationPlaysItsSound_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("heard");
        for (const Sounding &sounding : everyOperation)
            QTest::newRow(sounding.label) << sounding.operation << QString::fromLatin1(sounding.heard);
    }

    void eachOperationPlaysItsSound()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, heard);
        const SoundLog sounds;
        (manager.*operation)();
        QCOMPARE(sounds.played(), QStringList{heard});
    }

    void soundsAreOnBeforeThePreferencesExist()
    {
        const SoundLog sounds;
        TPreferencesDlg *dialog = PreferencesDlg;
        PreferencesDlg = nullptr;
        manager.PlayDeal();
        PreferencesDlg = dialog;
        QCOMPARE(sounds.played(), QStringList{"DEAL sync"});
    }

    void nothingSoundsWhenSoundIsOff()
    {
        PreferencesDlg->DoSound = false;
        {
            const SoundLog sounds;
            playAll();
            QVERIFY(sounds.played().isEmpty());
        }
        // and nothing waits: the synchronous sounds alone would last about 2.9 s
        QElapsedTimer clock;
        clock.start();
        playAll();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }

    void switchingTakesEffectAtTheNextSound()
    {
        const SoundLog sounds;
        manager.PlayDeal();
        PreferencesDlg->DoSound = false;
        manager.PlayUndo();
        manager.PlayWin();
        PreferencesDlg->DoSound = true;
        manager.PlayStock();
        QCOMPARE(sounds.played(), (QStringList{"DEAL sync", "STOCK sync"}));
    }

    void theDialogsSoundSwitchRulesTheNextSound()
    {
        SoundLog sounds;
        toggleSoundsInDialog();
        QVERIFY(!PreferencesDlg->DoSound);
        manager.PlayDeal();
        QVERIFY(sounds.played().isEmpty());

        toggleSoundsInDialog();
        manager.PlayDeal();
        QCOMPARE(sounds.played(), QStringList{"DEAL sync"});
    }

    void synchronousSoundPacesTheCaller()
    {
        // without a recorder (and without an audio device in CI) "DEAL" still takes
        // its length, after an asynchronous fanfare it cuts short
        manager.PlayWin();
        QElapsedTimer clock;
        clock.start();
        manager.PlayDeal();
        QVERIFY2(clock.elapsed() >= 190, qPrintable(QString::number(clock.elapsed())));
        SoundPlayer::stop();
    }
};

QTEST_MAIN(TestSounds)
#include "tst_sounds.moc"
