// SPDX-License-Identifier: MIT
#include <QTest>
class TestStatisticsBook : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void placeholder() {}
};
QTEST_GUILESS_MAIN(TestStatisticsBook)
#include "tst_statisticsbook.moc"
