// SPDX-License-Identifier: MIT
#include "resources/Resources.h"
#include "shell/InfoDlg.h"
#include "support/ShellKit.h"

#include <QPointer>
#include <QTimer>
#include <QtTest>

namespace {

QImage comparable(const QImage &image) { return image.convertToFormat(QImage::Format_ARGB32); }

// The jester picture the info box shows at the moment: 1, 2 or 3, or 0 for none.
int shownJester(const TInfoBox *box)
{
    const QImage shown = comparable(box->Image1->pixmap().toImage());
    for (int number = 1; number <= 3; ++number)
        if (shown == comparable(Resources::bitmap(QStringLiteral("JESTER%1").arg(number))))
            return number;
    return 0;
}

void closeAndWait(TInfoBox *box)
{
    QPointer<TInfoBox> watched(box);
    box->close();
    QTRY_VERIFY(watched.isNull());
}

}  // namespace

class TestInfoBox : public QObject
{
    Q_OBJECT
    SoundManagerScope soundManager;
    SoundLog sounds;

private Q_SLOTS:
    void init()
    {
        sounds.clear();
        JesterFrame = 0;
    }

    void cleanup()
    {
        if (InfoBox)
            closeAndWait(InfoBox);
    }

    void openingTwiceShowsTheSameBox()
    {
        QVERIFY(!InfoBox);
        ShowInfoBox();
        TInfoBox *first = InfoBox;
        QVERIFY(first);
        QVERIFY(first->isVisible());
        QVERIFY(!first->isModal());
        ShowInfoBox();
        QCOMPARE(InfoBox, first);
        QVERIFY(first->isVisible());
        // The jester laughs when the box is created, not when it is merely brought forward.
        QCOMPARE(sounds.played(), QStringList{QStringLiteral("JESTER async")});
    }

    void opensWithTheMiddlePoseOnTheJestersColour()
    {
        ShowInfoBox();
        QCOMPARE(InfoBox->windowTitle(), QStringLiteral("About Cardenza!"));
        QCOMPARE(InfoBox->size(), QSize(539, 316));
        QCOMPARE(shownJester(InfoBox), 2);
        const QColor jesterColour = Resources::bitmap(QStringLiteral("JESTER2")).pixelColor(0, 0);
        QCOMPARE(InfoBox->palette().color(QPalette::Window), jesterColour);
        QCOMPARE(InfoBox->Memo1->palette().color(QPalette::Window), jesterColour);
        QCOMPARE(InfoBox->Memo1->text(), QStringLiteral("Cardenza Version 1.0"));
        QVERIFY(InfoBox->Image1->testAttribute(Qt::WA_TransparentForMouseEvents));
    }

    void jesterCyclesThreeTwoOneTwo()
    {
        ShowInfoBox();
        const QList<int> expectedPictures{3, 2, 1, 2, 3, 2, 1, 2};
        const QList<int> expectedFrames{1, 2, 3, 0, 1, 2, 3, 0};
        for (int tick = 0; tick < expectedPictures.size(); ++tick) {
            InfoBox->Timer1Timer();
            QCOMPARE(shownJester(InfoBox), expectedPictures[tick]);
            QCOMPARE(JesterFrame, expectedFrames[tick]);
        }
    }

    void timerKeepsTheJesterMoving()
    {
        ShowInfoBox();
        QVERIFY(InfoBox->Timer1->isActive());
        QCOMPARE(InfoBox->Timer1->interval(), 400);
        QTRY_COMPARE_WITH_TIMEOUT(JesterFrame, 2, 2000);
        QCOMPARE(shownJester(InfoBox), 2);
    }

    void reopenedBoxContinuesTheCycle()
    {
        ShowInfoBox();
        InfoBox->Timer1Timer();
        InfoBox->Timer1Timer();
        QCOMPARE(JesterFrame, 2);
        TInfoBox *first = InfoBox;
        QPointer<TInfoBox> watched(first);
        first->close();
        QVERIFY(!InfoBox);
        QVERIFY(!first->Timer1->isActive());
        QTRY_VERIFY(watched.isNull());

        ShowInfoBox();
        QVERIFY(InfoBox);
        QCOMPARE(shownJester(InfoBox), 2);
        QCOMPARE(JesterFrame, 2);
        InfoBox->Timer1Timer();
        QCOMPARE(shownJester(InfoBox), 1);
        QCOMPARE(JesterFrame, 3);
        QCOMPARE(sounds.played().count(QStringLiteral("JESTER async")), 2);
    }

    void escapeClosesTheBox()
    {
        ShowInfoBox();
        QPointer<TInfoBox> watched(InfoBox);
        QTest::keyClick(InfoBox, Qt::Key_Escape);
        QVERIFY(!InfoBox);
        QTRY_VERIFY(watched.isNull());
        // Other keys leave it open.
        ShowInfoBox();
        QTest::keyClick(InfoBox, Qt::Key_Return);
        QTest::keyClick(InfoBox, Qt::Key_Space);
        QVERIFY(InfoBox);
        QVERIFY(InfoBox->isVisible());
    }

    void showsTheContactLines()
    {
        ShowInfoBox();
        QVERIFY(InfoBox->Label2->text().endsWith(
            QStringLiteral("The latest version and more information is always available at:")));
        QCOMPARE(InfoBox->Label3->text(), QStringLiteral("Please forward all suggestions,comments, or bug reports to:"));
        QCOMPARE(InfoBox->URLLabel2->URL, QStringLiteral("mailto:") + InfoBox->URLLabel2->text());
        QVERIFY(InfoBox->URLLabel1->URL.startsWith(QStringLiteral("https://")));
        QVERIFY(InfoBox->URLLabel1->font().underline());
        QCOMPARE(InfoBox->Image2->geometry(), QRect(224, 32, 306, 279));
        // Every line fits the window.
        for (QLabel *label : InfoBox->findChildren<QLabel *>())
            QVERIFY2(label->x() + label->sizeHint().width() <= InfoBox->width(), qPrintable(label->text()));
        QVERIFY(InfoBox->Label4->sizeHint().width() <= InfoBox->Label4->width());
    }

    void opensSilentlyWithSoundsOff()
    {
        const PreferencesScope preferences;
        preferences->DoSound = false;
        sounds.clear();  // the chime the preferences play when they are made
        ShowInfoBox();
        QVERIFY(InfoBox);
        QVERIFY(sounds.played().isEmpty());
    }
};

QTEST_MAIN(TestInfoBox)
#include "tst_infobox.moc"
