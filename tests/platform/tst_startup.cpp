// SPDX-License-Identifier: MIT
// What the start-up leaves for later, and the moment a window first shows.
#include "platform/FirstPaint.h"
#include "platform/StartupQueue.h"

#include <QStringList>
#include <QTest>
#include <QWidget>

class TestStartup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { StartupQueue::release(); }

    void workWaitsWhileHeldAndRunsInOrderOnRelease()
    {
        QStringList done;
        StartupQueue::hold();
        StartupQueue::defer([&] { done << "sound"; });
        StartupQueue::defer([&] {
            done << "settings";
            StartupQueue::defer([&] { done << "asked by a deferred job"; });
        });
        QVERIFY(done.isEmpty());
        StartupQueue::release();
        QCOMPARE(done, (QStringList{"sound", "settings", "asked by a deferred job"}));
        QVERIFY(!StartupQueue::isHeld());
        StartupQueue::release();
        QCOMPARE(done.size(), 3);  // nothing runs twice
    }

    void workRunsAtOnceWhenNothingIsStarting()
    {
        bool done = false;
        StartupQueue::defer([&] { done = true; });
        QVERIFY(done);
    }

    void firstPaintIsReportedOnceAfterThePaint()
    {
        QWidget window;
        window.resize(120, 80);
        int calls = 0;
        bool paintedBefore = false;
        FirstPaint::whenPainted(&window, [&] {
            ++calls;
            paintedBefore = !window.grab().isNull();
        });
        QCOMPARE(calls, 0);
        window.show();
        QTRY_COMPARE(calls, 1);
        QVERIFY(paintedBefore);
        window.repaint();
        QTest::qWait(20);
        QCOMPARE(calls, 1);
    }

    void aWindowThatNeverPaintsReportsNothing()
    {
        int calls = 0;
        {
            QWidget window;
            FirstPaint::whenPainted(&window, [&] { ++calls; });
        }
        QTest::qWait(20);
        QCOMPARE(calls, 0);
    }
};

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
