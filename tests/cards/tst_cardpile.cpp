// SPDX-License-Identifier: MIT
#include "cards/Card.h"
#include "cards/CardPile.h"
#include "platform/Random.h"
#include "support/FreedObjects.h"
#include "support/Seams.h"

#include <QTest>
#include <array>

namespace {

const char values[] = "A23456789TJQK";
const char suits[] = "CSDH";

QString name(const TCard *card)
{
    return QString(QChar(values[card->Value])) + QChar(suits[card->Suit]) + (card->FaceUp ? "+" : "");
}

QStringList names(const TCardPile &pile)
{
    QStringList list;
    for (int i = 0; i < pile.Count(); ++i)
        list << name(pile.CardAt(i));
    return list;
}

// The deck order and the shuffle worked out here from their definitions alone.
QStringList expectedShuffle(std::uint32_t seed)
{
    QStringList deck;
    for (int value = 0; value < 13; ++value)
        for (int suit = 0; suit < 4; ++suit)
            deck << QString(QChar(values[value])) + QChar(suits[suit]);
    std::uint64_t state = seed;
    for (int i = 0; i < 51; ++i) {
        state = (state * 22695477u + 1u) % 4294967296u;
        const int r = int((state / 65536u) % 32768u);
        deck.swapItemsAt(i, i + r % (52 - i));
    }
    return deck;
}

}  // namespace

class TestCardPile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newDeckIsInValueThenSuitOrder()
    {
        TCardPile pile;
        pile.AddDeck();
        QCOMPARE(pile.GetCardCount(), 52);
        const QStringList cards = names(pile);
        QCOMPARE(cards.mid(0, 5), QStringList({"AC", "AS", "AD", "AH", "2C"}));
        QCOMPARE(cards.last(), QString("KH"));
        QVERIFY(cards.filter("+").isEmpty());  // all face down
        pile.Empty(true);
    }

    void shuffleDealsTheSeedsOrder_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::newRow("1") << quint32(1);
        QTest::newRow("1000") << quint32(1000);
        QTest::newRow("a clock value") << quint32(1700000000);
        QTest::newRow("all bits") << quint32(0xFFFFFFFF);
    }
    void shuffleDealsTheSeedsOrder()
    {
        QFETCH(quint32, seed);
        const FixedSeed fixed(seed);  // every new pile reseeds with it
        for (int round = 0; round < 2; ++round) {
            TCardPile pile;
            pile.AddDeck();
            pile.Shuffle();
            QCOMPARE(names(pile), expectedShuffle(seed));
            pile.Empty(true);
        }
    }

    void shuffleDrawsOneNumberPerPositionButTheLast_data()
    {
        QTest::addColumn<int>("cards");
        QTest::addColumn<int>("nextDraw");  // what the generator gives after the shuffle
        QTest::newRow("empty") << 0 << 346;
        QTest::newRow("one card") << 1 << 346;
        QTest::newRow("two cards") << 2 << 130;
        QTest::newRow("three cards") << 3 << 10982;
    }
    void shuffleDrawsOneNumberPerPositionButTheLast()
    {
        QFETCH(int, cards);
        QFETCH(int, nextDraw);
        TCardPile pile;
        std::array<TCard, 3> deck{};
        for (int i = 0; i < cards; ++i)
            pile.AddCard(&deck[i]);
        Random::seed(1);
        pile.Shuffle();
        QCOMPARE(pile.Count(), cards);
        QCOMPARE(Random::next(), nextDraw);
    }

    void flipReversesAndTurnsEveryCard()
    {
        TCard a(FS_CLUBS, FS_ACE, 1), b(FS_CLUBS, FS_TWO, 1), c(FS_CLUBS, FS_THREE, 1);
        TCardPile pile;
        pile.AddCard(&a), pile.AddCard(&b), pile.AddCard(&c);
        pile.Flip();
        QCOMPARE(names(pile), QStringList({"3C", "2C", "AC"}));
        pile.Flip();
        QCOMPARE(names(pile), QStringList({"AC+", "2C+", "3C+"}));
    }

    void cardAtAndCardIndex()
    {
        TCardPile pile;
        QCOMPARE(pile.CardAt(TCardPile::Top), nullptr);
        QCOMPARE(pile.CardAt(0), nullptr);
        TCard only(FS_HEARTS, FS_QUEEN), other;
        pile.AddCard(&only);
        QCOMPARE(pile.CardAt(9999), &only);
        QCOMPARE(pile.CardIndex(&only), 0);
        QCOMPARE(pile.CardIndex(&other), -1);
        pile.RemoveCard(&other);  // not there: nothing happens
        QCOMPARE(pile.Count(), 1);
    }

    void insertsAtTheBottomOrOnTop()
    {
        TCard a(FS_CLUBS, FS_ACE), b(FS_CLUBS, FS_TWO), c(FS_CLUBS, FS_THREE);
        TCardPile pile;
        pile.AddCard(&a);
        pile.InsertCard(&b, 0);
        pile.InsertCard(&c, TCardPile::Top);
        QCOMPARE(names(pile), QStringList({"2C", "AC", "3C"}));
    }

    void addPileCopiesReferencesAndLeavesTheSource()
    {
        TCardPile source, target;
        source.AddDeck();
        target.AddPile(&source);
        QCOMPARE(source.Count(), 52);
        QCOMPARE(target.Count(), 52);
        QCOMPARE(target.CardAt(9999), source.CardAt(9999));

        const FreedObjects freed(sizeof(TCard));
        source.Empty(false);
        QCOMPARE(freed.count(), 0);
        QCOMPARE(source.Count(), 0);
        QCOMPARE(name(target.CardAt(0)), QString("AC"));  // the cards live on

        target.Empty(true);
        QCOMPARE(freed.count(), 52);
        QCOMPARE(target.Count(), 0);
    }
};

QTEST_MAIN(TestCardPile)
#include "tst_cardpile.moc"
