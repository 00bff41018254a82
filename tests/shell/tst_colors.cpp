// SPDX-License-Identifier: MIT
#include "shell/Colors.h"

#include <QtTest>

class TestColors : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("color");
        const QList<QPair<const char *, uint>> named{
            {"clBlack", 0x000000},      {"clMaroon", 0x000080},    {"clGreen", 0x008000},
            {"clOlive", 0x008080},      {"clNavy", 0x800000},      {"clPurple", 0x800080},
            {"clTeal", 0x808000},       {"clGray", 0x808080},      {"clSilver", 0xC0C0C0},
            {"clRed", 0x0000FF},        {"clLime", 0x00FF00},      {"clYellow", 0x00FFFF},
            {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},   {"clAqua", 0xFFFF00},
            {"clWhite", 0xFFFFFF},      {"clMoneyGreen", 0xC0DCC0}, {"clSkyBlue", 0xF0CAA6},
            {"clCream", 0xF0FBFF},      {"clMedGray", 0xA4A0A0},   {"clNone", 0x1FFFFFFF},
            {"clDefault", 0x20000000}};
        for (const auto &[name, value] : named)
            QTest::newRow(name) << QString(name) << value;
        QTest::newRow("dark green") << "$00004000" << uint(clDarkGreen);
        QTest::newRow("unnamed") << "$00ABCDEF" << 0xABCDEFu;
        QTest::newRow("high byte") << "$02000001" << 0x02000001u;
    }

    void textRoundTrip()
    {
        QFETCH(QString, text);
        QFETCH(uint, color);
        QCOMPARE(ColorToString(color), text);
        TColor parsed = 12345;
        QVERIFY(StringToColor(text, parsed));
        QCOMPARE(parsed, color);
    }

    void readingAcceptsOtherSpellings_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<uint>("color");
        QTest::newRow("upper-case name") << "CLBLACK" << true << 0u;
        QTest::newRow("lower-case name") << "clmoneygreen" << true << 0xC0DCC0u;
        QTest::newRow("short hex") << "$4000" << true << 16384u;
        QTest::newRow("lower-case hex") << "$00abcdef" << true << 0xABCDEFu;
        QTest::newRow("0x hex") << "0x4000" << true << 16384u;
        QTest::newRow("decimal") << "16384" << true << 16384u;
        QTest::newRow("surrounding spaces") << " clRed " << true << 0xFFu;
        QTest::newRow("empty") << "" << false << 0u;
        QTest::newRow("misspelt name") << "clBlak" << false << 0u;
        QTest::newRow("bare dollar") << "$" << false << 0u;
        QTest::newRow("not hex") << "$00GG00" << false << 0u;
        QTest::newRow("negative") << "-1" << false << 0u;
        QTest::newRow("signed") << "+5" << false << 0u;
        QTest::newRow("beyond 32 bits") << "$100000000" << false << 0u;
        QTest::newRow("decimal beyond 32 bits") << "4294967296" << false << 0u;
        QTest::newRow("digits and letters") << "12abc" << false << 0u;
    }

    void readingAcceptsOtherSpellings()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(uint, color);
        TColor parsed = 0xDEAD;
        QCOMPARE(StringToColor(text, parsed), accepted);
        QCOMPARE(parsed, accepted ? color : 0xDEADu);
    }

    void qColorConversions()
    {
        QCOMPARE(ColorFromQColor(QColor(0, 64, 0)), clDarkGreen);
        QCOMPARE(ColorFromQColor(QColor(0x12, 0x34, 0x56)), 0x563412u);
        QCOMPARE(QColorFromColor(0x0000FF), QColor(Qt::red));
        QCOMPARE(QColorFromColor(0x563412), QColor(0x12, 0x34, 0x56));
        QCOMPARE(QColorFromColor(ColorFromQColor(QColor(200, 100, 50))), QColor(200, 100, 50));
        QVERIFY(!QColorFromColor(0x1FFFFFFF).isValid());
        QCOMPARE(ColorFromQColor(QColor()), TColor(0x1FFFFFFF));
    }
};

QTEST_GUILESS_MAIN(TestColors)
#include "tst_colors.moc"
