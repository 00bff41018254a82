// SPDX-License-Identifier: MIT
#include "platform/FormPlacement.h"
#include "platform/IniFile.h"
#include "support/Seams.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtTest>

#include <memory>

namespace {

const QString File = QStringLiteral("Solitaire.ini");
const QRect Design(100, 120, 300, 200);

QString read(const QString &key)
{
    return IniFile::read(File, "Klondike", key, "None");
}

void store(const QString &key, const QString &value)
{
    QVERIFY(IniFile::write(File, "Klondike", key, value));
}

}  // namespace

class TestFormPlacement : public QObject
{
    Q_OBJECT
    std::optional<SettingsDirectory> settings;

    // A game window as its form describes it, with its placement component.
    std::unique_ptr<QWidget> makeWindow(TPlacementOptions options, bool resizable = true)
    {
        auto window = std::make_unique<QWidget>();
        window->setGeometry(Design);
        if (!resizable)
            window->setFixedSize(Design.size());
        auto *placement = new TFormPlacement(window.get());
        placement->IniFileName = File;
        placement->IniSection = "Klondike";
        placement->Options = options;
        return window;
    }

private Q_SLOTS:
    void init() { settings.emplace(); }

    void closeSavesPlacementBesideTheOptions()
    {
        store("DrawThree", "False");
        auto window = makeWindow(fpPosition);
        window->show();
        window->setGeometry(40, 50, 320, 240);
        window->close();
        QCOMPARE(read("Flags"), QString("0"));
        QCOMPARE(read("ShowCmd"), QString("1"));
        QCOMPARE(read("MinMaxPos"), QString("-1,-1,-1,-1"));
        QCOMPARE(read("NormPos"), QString("40,50,360,290"));
        QCOMPARE(read("DrawThree"), QString("False"));
    }

    void showRestoresWhatCloseSaved()
    {
        auto first = makeWindow(fpPosition);
        first->show();
        first->setGeometry(30, 40, 400, 300);
        first->close();
        auto second = makeWindow(fpPosition);
        second->show();
        QCOMPARE(second->geometry(), QRect(30, 40, 400, 300));
    }

    void fixedSizeWindowRestoresPositionOnly()
    {
        store("NormPos", "30,40,430,340");
        auto window = makeWindow(fpPosition, false);
        window->show();
        QCOMPARE(window->geometry(), QRect(QPoint(30, 40), Design.size()));
    }

    void unusableSectionKeepsDesignGeometry_data()
    {
        QTest::addColumn<QString>("normPos");
        QTest::newRow("absent") << QString();
        QTest::newRow("three numbers") << "30,40,430";
        QTest::newRow("not numbers") << "a,b,c,d";
        QTest::newRow("inverted") << "430,340,30,40";
        QTest::newRow("wider than any window") << "0,0,200000,100";
    }

    void unusableSectionKeepsDesignGeometry()
    {
        QFETCH(QString, normPos);
        if (!normPos.isNull())
            store("NormPos", normPos);
        auto window = makeWindow(fpState | fpPosition);
        window->show();
        QCOMPARE(window->geometry(), Design);
        QVERIFY(!window->isMaximized());
    }

    // A window saved far off every screen (another monitor, or numbers at the ends of
    // the int range, where Qt's own overlap test overflows) comes back onto the
    // primary screen, frame and all, as near to where it was as it fits.
    void windowOnNoScreenComesBack_data()
    {
        QTest::addColumn<QString>("normPos");
        QTest::addColumn<bool>("resizable");
        QTest::addColumn<QSize>("size");  // empty: as large as the free area allows
        QTest::addColumn<int>("edges");   // the edges of the free area the frame touches
        QTest::newRow("lowest int") << "-2147483648,0,-2147483548,100" << true << QSize(100, 100)
                                    << int(Qt::LeftEdge | Qt::TopEdge);
        QTest::newRow("highest int") << "2147483547,200,2147483647,300" << true
                                     << QSize(100, 100) << int(Qt::RightEdge);
        QTest::newRow("above and left") << "-9000,-9000,-8600,-8700" << true << QSize(400, 300)
                                        << int(Qt::LeftEdge | Qt::TopEdge);
        QTest::newRow("below") << "100,5000,500,5300" << true << QSize(400, 300)
                               << int(Qt::BottomEdge);
        QTest::newRow("larger than the screen") << "-20000,0,-15000,4000" << true << QSize()
                                                << int(Qt::LeftEdge | Qt::TopEdge | Qt::RightEdge
                                                       | Qt::BottomEdge);
        QTest::newRow("fixed size") << "-9000,300,-8600,600" << false << Design.size()
                                    << int(Qt::LeftEdge);
    }

    void windowOnNoScreenComesBack()
    {
        QFETCH(QString, normPos);
        QFETCH(bool, resizable);
        QFETCH(QSize, size);
        QFETCH(int, edges);
        store("NormPos", normPos);
        auto window = makeWindow(fpState | fpPosition, resizable);
        window->show();
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect frame = window->frameGeometry();
        QVERIFY2(area.contains(frame), qPrintable(QString("frame %1,%2 %3x%4")
                                                      .arg(frame.x()).arg(frame.y())
                                                      .arg(frame.width()).arg(frame.height())));
        if (size.isEmpty())
            QCOMPARE(frame.size(), area.size());
        else
            QCOMPARE(window->size(), size);
        const QStringList saved = normPos.split(',');
        QCOMPARE(frame.left() == area.left(), bool(edges & Qt::LeftEdge));
        QCOMPARE(frame.right() == area.right(), bool(edges & Qt::RightEdge));
        QCOMPARE(frame.top() == area.top(), bool(edges & Qt::TopEdge));
        QCOMPARE(frame.bottom() == area.bottom(), bool(edges & Qt::BottomEdge));
        if (!(edges & (Qt::LeftEdge | Qt::RightEdge)))
            QCOMPARE(window->geometry().x(), saved[0].toInt());
        if (!(edges & (Qt::TopEdge | Qt::BottomEdge)))
            QCOMPARE(window->geometry().y(), saved[1].toInt());
    }

    void stateRestoredOnlyWithFpState_data()
    {
        QTest::addColumn<int>("options");
        QTest::addColumn<QString>("showCmd");
        QTest::addColumn<QString>("flags");
        QTest::addColumn<bool>("maximized");
        const int both = int(fpState | fpPosition);
        QTest::newRow("maximized") << both << "3" << "0" << true;
        QTest::newRow("maximized, position only") << int(fpPosition) << "3" << "0" << false;
        QTest::newRow("minimized opens normal") << both << "2" << "0" << false;
        QTest::newRow("minimized from maximized") << both << "2" << "2" << true;
        QTest::newRow("normal") << both << "1" << "0" << false;
    }

    void stateRestoredOnlyWithFpState()
    {
        QFETCH(int, options);
        QFETCH(QString, showCmd);
        QFETCH(QString, flags);
        QFETCH(bool, maximized);
        store("NormPos", "30,40,430,340");
        store("ShowCmd", showCmd);
        store("Flags", flags);
        auto window = makeWindow(TPlacementOptions(options));
        window->show();
        QCOMPARE(window->isMaximized(), maximized);
        QVERIFY(!window->isMinimized());
        window->close();
        QCOMPARE(read("ShowCmd"), maximized ? QString("3") : QString("1"));
        QCOMPARE(read("NormPos"), QString("30,40,430,340"));
    }
};

QTEST_MAIN(TestFormPlacement)
#include "tst_formplacement.moc"
