// SPDX-License-Identifier: MIT
#include "shell/Sounds.h"

#include "platform/Dialogs.h"
#include "platform/SoundPlayer.h"
#include "shell/Preferences.h"
#include "shell/Tray.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using Operation = void (TSoundManager::*)();
Q_DECLARE_METATYPE(Operation)

namespace {

struct Heard {
    QString name;
    bool synchronous;
    bool operator==(const Heard &) const = default;
};

const QList<std::pair<Operation, Heard>> &allOperations()
{
    static const QList<std::pair<Operation, Heard>> operations = {
        {&TSoundManager::PlayShuffle, {"SHUFFLE", true}},
        {&TSoundManager::PlayDeal, {"DEAL", true}},
        {&TSoundManager::PlayOpen, {"OPEN", false}},
        {&TSoundManager::PlayJester, {"JESTER", false}},
        {&TSoundManager::PlayStock, {"STOCK", true}},
        {&TSoundManager::PlayUndo, {"UNDO", true}},
        {&TSoundManager::PlayAutoplay, {"AUTOPLAY", true}},
        {&TSoundManager::PlayAutoplayAsync, {"AUTOPLAY", false}},
        {&TSoundManager::PlayRestart, {"RESTART", true}},
        {&TSoundManager::PlayWin, {"WIN_SND", false}},
    };
    return operations;
}

}  // namespace

class TestSounds : public QObject
{
    Q_OBJECT

    QTemporaryDir configDir;
    TSoundManager manager;
    std::unique_ptr<TPreferencesDlg> preferences;
    QList<Heard> heard;

    void record()
    {
        SoundPlayer::setRecorder([this](const QString &name, bool synchronous) { heard.append({name, synchronous}); });
    }

    // Opens the dialog, clicks "Enable Sounds" on its page and closes it with OK.
    void toggleSoundsInDialog()
    {
        preferences->show();
        QVERIFY(QTest::qWaitForWindowExposed(preferences.get()));
        auto *pages = preferences->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
        auto *enable = preferences->findChild<QCheckBox *>(QStringLiteral("CheckBox1"));
        auto *ok = preferences->findChild<QPushButton *>(QStringLiteral("OKBtn"));
        QVERIFY(pages && enable && ok);
        pages->setCurrentWidget(enable->parentWidget());
        QTest::mouseClick(enable, Qt::LeftButton, {}, QPoint(7, enable->height() / 2));
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(!preferences->isVisible());
    }

    void playAll()
    {
        for (const auto &operation : allOperations())
            (manager.*operation.first)();
    }

private Q_SLOTS:
    void initTestCase()
    {
        qputenv("CARDENZA_CONFIG_DIR", configDir.path().toUtf8());
        Dialogs::setAnswerer([](const Dialogs::Record &) { return int(Dialogs::Ok); });
        Tray::setHandler([](bool) {});
        record();
        preferences = std::make_unique<TPreferencesDlg>();
    }

    void cleanupTestCase()
    {
        PreferencesDlg = nullptr;
        preferences.reset();
        SoundPlayer::setRecorder({});
    }

    void init()
    {
        PreferencesDlg = preferences.get();
        preferences->DoSound = true;
        heard.clear();
        record();
    }

    void eachOperationPlaysItsSound_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("synchronous");
        const char *labels[] = {"Shuffle", "Deal", "Open", "Jester", "Stock", "Undo",
                                "Autoplay", "AutoplayAsync", "Restart", "Win"};
        for (int i = 0; i < allOperations().size(); ++i) {
            const auto &[operation, sound] = allOperations()[i];
            QTest::newRow(labels[i]) << operation << sound.name << sound.synchronous;
        }
    }

    void eachOperationPlaysItsSound()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, name);
        QFETCH(bool, synchronous);
        (manager.*operation)();
        QCOMPARE(heard, (QList<Heard>{{name, synchronous}}));
    }

    void soundsAreOnBeforeThePreferencesExist()
    {
        PreferencesDlg = nullptr;
        manager.PlayDeal();
        QCOMPARE(heard, (QList<Heard>{{"DEAL", true}}));
    }

    void nothingSoundsWhenSoundIsOff()
    {
        preferences->DoSound = false;
        playAll();
        QVERIFY(heard.isEmpty());

        // and nothing waits: the synchronous sounds alone would last about 2.9 s
        SoundPlayer::setRecorder({});
        QElapsedTimer clock;
        clock.start();
        playAll();
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
    }

    void switchingTakesEffectAtTheNextSound()
    {
        manager.PlayDeal();
        preferences->DoSound = false;
        manager.PlayUndo();
        manager.PlayWin();
        preferences->DoSound = true;
        manager.PlayStock();
        QCOMPARE(heard, (QList<Heard>{{"DEAL", true}, {"STOCK", true}}));
    }

    void theDialogsSoundSwitchRulesTheNextSound()
    {
        toggleSoundsInDialog();
        QVERIFY(!preferences->DoSound);
        manager.PlayDeal();
        QVERIFY(heard.isEmpty());

        toggleSoundsInDialog();
        manager.PlayDeal();
        QCOMPARE(heard, (QList<Heard>{{"DEAL", true}}));
    }

    void synchronousSoundPacesTheCaller()
    {
        // without a recorder (and without an audio device in CI) "DEAL" still takes
        // its length, after an asynchronous fanfare it cuts short
        SoundPlayer::setRecorder({});
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
