// SPDX-License-Identifier: MIT
#include "shell/Sounds.h"

#include "shell/Tray.h"
#include "support/ShellKit.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <dlfcn.h>

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

// Input as a window system hands it over: queued for the event loop, the route a
// synchronous sound's wait holds back (QTest's input reaches the widget directly,
// past any event loop). Qt offers this queue to its platform plugins only, so the
// entry points are looked up by name; a Qt without them skips the test.
using QueueMouse = bool (*)(QWindow *, const QPointF &local, const QPointF &global, Qt::MouseButtons,
                            Qt::MouseButton, QEvent::Type, Qt::KeyboardModifiers, Qt::MouseEventSource);
using QueueKey = bool (*)(QWindow *, QEvent::Type, int key, Qt::KeyboardModifiers, const QString &text,
                          bool autoRepeat, ushort count);

const char *const queueMouseSymbol =
    "_ZN22QWindowSystemInterface16handleMouseEventINS_20AsynchronousDeliveryEEEbP7QWindowRK7QPointFS6_"
    "6QFlagsIN2Qt11MouseButtonEES9_N6QEvent4TypeES7_INS8_16KeyboardModifierEENS8_16MouseEventSourceE";
const char *const queueKeySymbol =
    "_ZN22QWindowSystemInterface14handleKeyEventINS_20AsynchronousDeliveryEEEbP7QWindowN6QEvent4TypeEi"
    "6QFlagsIN2Qt16KeyboardModifierEERK7QStringbt";

template <class Entry>
Entry windowSystemEntry(const char *symbol)
{
    return reinterpret_cast<Entry>(dlsym(RTLD_DEFAULT, symbol));
}

// A table that notes the input it receives and counts its paints.
class InputLog : public QWidget
{
public:
    QStringList received;
    int paints = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { received << QStringLiteral("press"); }
    void keyPressEvent(QKeyEvent *) override { received << QStringLiteral("key"); }
    void paintEvent(QPaintEvent *) override { ++paints; }
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

    // A player's click or key press during a deal's sound waits for the sound to
    // end, so the deal finishes first; the table still repaints meanwhile.
    void inputWaitsForTheDealSound()
    {
        const auto queueMouse = windowSystemEntry<QueueMouse>(queueMouseSymbol);
        const auto queueKey = windowSystemEntry<QueueKey>(queueKeySymbol);
        if (!queueMouse || !queueKey)
            QSKIP("this Qt has no queue for window-system input");
        InputLog table;
        table.setFocusPolicy(Qt::StrongFocus);
        table.resize(120, 120);
        table.show();
        table.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&table));
        table.setFocus();
        QWindow *window = table.windowHandle();
        bool sentDuringSound = false;
        QTimer::singleShot(20, &table, [&] {
            sentDuringSound = SoundPlayer::isWaiting();
            const QPointF at(30, 30);
            const QPointF global = window->mapToGlobal(at);
            queueMouse(window, at, global, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress, Qt::NoModifier,
                       Qt::MouseEventNotSynthesized);
            queueMouse(window, at, global, Qt::NoButton, Qt::LeftButton, QEvent::MouseButtonRelease, Qt::NoModifier,
                       Qt::MouseEventNotSynthesized);
            queueKey(window, QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), false, 1);
            queueKey(window, QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "), false, 1);
            table.update();
        });
        const int paintsBefore = table.paints;
        manager.PlayDeal();
        QVERIFY(sentDuringSound);
        QVERIFY(table.received.isEmpty());
        QVERIFY(table.paints > paintsBefore);
        QTRY_COMPARE(table.received, (QStringList{"press", "key"}));
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
