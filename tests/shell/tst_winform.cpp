// SPDX-License-Identifier: MIT
#include "platform/Dialogs.h"
#include "platform/SoundPlayer.h"
#include "shell/Preferences.h"
#include "shell/Sounds.h"
#include "shell/WinWindow.h"

#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

class TestWinForm : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void opensModallyWithFanfare();
    void animationLoopsThroughTenFrames();
    void escapeAndCloseBoxDoNotClose();
    void okClosesAndClearsThePointer();
    void enterAndSpacePressTheButton_data();
    void enterAndSpacePressTheButton();
    void opensSilentlyWithSoundsOff();

private:
    // Shows the win window through the game's path; while it is up, `play` runs
    // with the window as the player sees it. Returns the window's address.
    QPointer<TWinForm> showWinForm(const std::function<void(TWinForm *)> &play);

    QStringList played;
};

void TestWinForm::initTestCase()
{
    SoundManager = new TSoundManager;
    SoundPlayer::setRecorder([this](const QString &name, bool synchronous) {
        played << name + (synchronous ? QStringLiteral(" sync") : QStringLiteral(" async"));
    });
}

void TestWinForm::init()
{
    played.clear();
    Dialogs::clearHistory();
}

void TestWinForm::cleanup() { Dialogs::setAnswerer(nullptr); }

void TestWinForm::cleanupTestCase()
{
    SoundPlayer::setRecorder(nullptr);
    delete SoundManager;
    SoundManager = nullptr;
}

QPointer<TWinForm> TestWinForm::showWinForm(const std::function<void(TWinForm *)> &play)
{
    QPointer<TWinForm> shown;
    Dialogs::setAnswerer([&](const Dialogs::Record &record) {
        shown = qobject_cast<TWinForm *>(record.window);
        if (shown) {
            shown->show();
            if (!QTest::qWaitForWindowExposed(shown.data()))
                qWarning("the win window was not exposed");
            play(shown);
        }
        return int(QDialog::Accepted);
    });
    ShowWinForm(nullptr);
    return shown;
}

void TestWinForm::opensModallyWithFanfare()
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
        QCOMPARE(played, QStringList{QStringLiteral("WIN_SND async")});
        window->Button1->click();
    });
    QVERIFY(wasCurrent);
    QCOMPARE(Dialogs::history().size(), 1);
    QCOMPARE(Dialogs::history().first().kind, QStringLiteral("modal"));
    QCOMPARE(Dialogs::history().first().caption, QStringLiteral("You've Won!"));
    QTRY_VERIFY(form.isNull());
}

void TestWinForm::animationLoopsThroughTenFrames()
{
    showWinForm([](TWinForm *window) {
        TAnimate *animation = window->Animate1;
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

void TestWinForm::escapeAndCloseBoxDoNotClose()
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

void TestWinForm::okClosesAndClearsThePointer()
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
    QCOMPARE(played.count(QStringLiteral("WIN_SND async")), 2);
}

void TestWinForm::enterAndSpacePressTheButton_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Space") << int(Qt::Key_Space);
}

void TestWinForm::enterAndSpacePressTheButton()
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

void TestWinForm::opensSilentlyWithSoundsOff()
{
    PreferencesDlg = new TPreferencesDlg;
    PreferencesDlg->DoSound = false;
    played.clear();
    QPointer<TWinForm> form = showWinForm([](TWinForm *window) { window->Button1->click(); });
    QVERIFY(played.isEmpty());
    QTRY_VERIFY(form.isNull());
    delete PreferencesDlg;
    PreferencesDlg = nullptr;
}

QTEST_MAIN(TestWinForm)
#include "tst_winform.moc"
