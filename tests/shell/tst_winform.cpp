// SPDX-License-Identifier: MIT
#include "shell/WinWindow.h"
#include "support/ShellKit.h"

#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

class TestWinForm : public QObject
{
    Q_OBJECT
    SoundManagerScope soundManager;
    SoundLog sounds;
    DialogLog dialogs;

    // Shows the win window through the game's path; while it is up, `play` runs
    // with the window as the player sees it. Returns the window's address.
    QPointer<TWinForm> showWinForm(const std::function<void(TWinForm *)> &play)
    {
        QPointer<TWinForm> shown;
        dialogs.onModal = [&](const Dialogs::Record &record) {
            shown = qobject_cast<TWinForm *>(record.window);
            if (shown) {
                shown->show();
                if (!QTest::qWaitForWindowExposed(shown.data()))
                    qWarning("the win window was not exposed");
                play(shown);
            }
            return int(QDialog::Accepted);
        };
        ShowWinForm(nullptr);
        dialogs.onModal = {};
        return shown;
    }

private Q_SLOTS:
    void init()
    {
        sounds.clear();
        dialogs.clear();
    }

    void opensModallyWithFanfare()
    {
        bool wasCurrent = false;
        QPointer<TWinForm> form = showWinForm([&](TWinForm *window) {
            wasCurrent = WinForm == window;
            QCOMPARE(window->windowTitle(), QStringLiteral("You've Won!"));
            QCOMPARE(window->size(), QSize(376, 192));
            QVERIFY(!(window->windowFlags() & Qt::WindowCloseButtonHint));
            QVERIFY(!(window->windowFlags() & Qt::WindowSystemMenuHint));
            QCOMPARE(window->focusWidget(), window->Button1);
            QVERIFY(window->Button1->isDefault());
            QCOMPARE(window->Button1->text(), QStringLiteral("OK, Great!"));
            QCOMPARE(window->Button1->geometry(), QRect(144, 162, 97, 25));
            QCOMPARE(sounds.played(), QStringList{QStringLiteral("WIN_SND async")});
            window->Button1->click();
        });
        QVERIFY(wasCurrent);
        QCOMPARE(dialogs.records().size(), 1);
        QCOMPARE(dialogs.modals(), 1);
        QCOMPARE(dialogs.records().first().caption, QStringLiteral("You've Won!"));
        QTRY_VERIFY(form.isNull());
    }

    void animationLoopsThroughTenFrames()
    {
        showWinForm([](TWinForm *window) {
            AnimationControl *animation = window->Animate1;
            QCOMPARE(animation->geometry(), QRect(0, 0, 376, 154));
            QCOMPARE(animation->FrameCount(), 10);
            QVERIFY(animation->Active());
            QCOMPARE(animation->Timer->interval(), 200);
            QCOMPARE(animation->CurrentFrame(), 1);
            QList<int> seen;
            for (int tick = 0; tick < 11; ++tick) {
                const QImage before = animation->CurrentImage();
                animation->Step();
                QVERIFY(animation->CurrentImage() != before);
                seen << animation->CurrentFrame();
            }
            QCOMPARE(seen, (QList<int>{2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2}));
            // And on its own, on the timer, while the window is up.
            QTRY_VERIFY_WITH_TIMEOUT(animation->CurrentFrame() != 2, 1000);
            // What is painted is the current frame.
            const QImage painted = animation->grab().toImage().convertToFormat(QImage::Format_RGB32);
            QCOMPARE(painted, animation->CurrentImage().convertToFormat(QImage::Format_RGB32));
            window->Button1->click();
        });
    }

    void escapeAndCloseBoxDoNotClose()
    {
        bool stayedOpen = false;
        QPointer<TWinForm> form = showWinForm([&](TWinForm *window) {
            QTest::keyClick(window, Qt::Key_Escape);
            QTest::keyClick(window->Button1, Qt::Key_Escape);
            window->close();
            stayedOpen = window->isVisible() && WinForm == window;
            window->Button1->click();
        });
        QVERIFY(stayedOpen);
        QTRY_VERIFY(form.isNull());
    }

    void okClosesAndClearsThePointer()
    {
        bool clearedAtOnce = false;
        bool stopped = false;
        QPointer<TWinForm> form = showWinForm([&](TWinForm *window) {
            QTest::mouseClick(window->Button1, Qt::LeftButton);
            clearedAtOnce = WinForm == nullptr && !window->isVisible();
            stopped = !window->Animate1->Active();
        });
        QVERIFY(clearedAtOnce);
        QVERIFY(stopped);
        QTRY_VERIFY(form.isNull());
        QVERIFY(!WinForm);
        // The next win makes a fresh window.
        QPointer<TWinForm> next = showWinForm([](TWinForm *window) { window->Button1->click(); });
        QVERIFY(next != form);
        QCOMPARE(sounds.played().count(QStringLiteral("WIN_SND async")), 2);
    }

    void enterAndSpacePressTheButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }

    void enterAndSpacePressTheButton()
    {
        QFETCH(int, key);
        bool closed = false;
        showWinForm([&](TWinForm *window) {
            QApplication::setActiveWindow(window);
            QTest::keyClick(key == Qt::Key_Space ? static_cast<QWidget *>(window->Button1) : window, Qt::Key(key));
            closed = WinForm == nullptr;
        });
        QVERIFY(closed);
    }

    void opensSilentlyWithSoundsOff()
    {
        const PreferencesScope preferences;
        preferences->DoSound = false;
        sounds.clear();  // the chime the preferences play when they are made
        QPointer<TWinForm> form = showWinForm([](TWinForm *window) { window->Button1->click(); });
        QVERIFY(sounds.played().isEmpty());
        QTRY_VERIFY(form.isNull());
    }
};

QTEST_MAIN(TestWinForm)
#include "tst_winform.moc"
