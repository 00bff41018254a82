// SPDX-License-Identifier: MIT
#include "platform/Random.h"

#include <QTest>

class TestRandom : public QObject
{
    Q_OBJECT

    static QList<int> draws(int count)
    {
        QList<int> values;
        for (int i = 0; i < count; ++i)
            values.append(Random::next());
        return values;
    }

private Q_SLOTS:
    void aFixedSeedRewindsEveryReseed()
    {
        Random::fixSeed(1);
        Random::reseedFromTime();
        QCOMPARE(draws(5), (QList<int>{346, 130, 10982, 1090, 11656}));
        Random::reseedFromTime();
        QCOMPARE(draws(1), QList<int>{346});
        Random::fixSeed(std::nullopt);
    }

    void clockReseedsWithinOneSecondDoNotRepeatTheSequence()
    {
        Random::fixSeed(std::nullopt);
        // Two quick New Games: each builds piles (and so reseeds) before shuffling.
        Random::reseedFromTime();
        const QList<int> first = draws(51);
        Random::reseedFromTime();
        const QList<int> second = draws(51);
        QVERIFY(first != second);
    }
};

QTEST_MAIN(TestRandom)
#include "tst_random.moc"
