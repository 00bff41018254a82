// SPDX-License-Identifier: MIT
// Forty Thieves positions the solver decides by reasoning rather than by searching
// them through: a table where no column can ever be emptied is lost before the
// search has looked at its first moves, and one where a column empties only by
// moving its card onto another column is still won.
#include "solver/Solver.h"

#include <QTest>

namespace {

// The cards of one suit from one rank to another, as "5C 6C 7C".
QString Suit(const char *suit, int from, int to)
{
    static const char ranks[] = "A23456789TJQK";
    QStringList cards;
    for (int rank = from; rank <= to; ++rank)
        cards << QLatin1Char(ranks[rank - 1]) + QLatin1String(suit);
    return cards.join(QLatin1Char(' '));
}

// A Forty Thieves table as the window prints it, the stock and the waste bottom first.
QString Table(const QString &stock, const QString &waste, const QStringList &columns, const QStringList &foundations)
{
    QString text = QStringLiteral("DeckPileView: %1\nDiscardPileView: %2\n").arg(stock, waste);
    for (int i = 0; i < columns.size(); ++i)
        text += QStringLiteral("TableauPile%1: %2\n").arg(i + 1).arg(columns[i]);
    for (int i = 0; i < foundations.size(); ++i)
        text += QStringLiteral("FoundPile%1: %2\n").arg(i + 1).arg(foundations[i]);
    return text;
}

}  // namespace

class TestThievesProofs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decidedWithoutSearchingThrough_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<qint64>("nodes");
        QTest::addColumn<int>("verdict");
        // Kings over the twos, fours over threes whose fives lie under a four on the
        // waste: nothing ever empties a column, yet the stock gives moves enough.
        QString stock;
        for (const char *suit : {"D", "H"})
            stock += Suit(suit, 3, 12) + QLatin1Char(' ') + Suit(suit, 3, 12) + QLatin1Char(' ');
        const QString waste = Suit("C", 5, 12) + QLatin1Char(' ') + Suit("S", 5, 12) + QLatin1Char(' ')
                              + Suit("C", 5, 12) + QLatin1Char(' ') + Suit("S", 5, 12) + QStringLiteral(" 3C 3S 4S 4C");
        QTest::newRow("lost") << Table(stock, waste,
                                       {"2C KC", "2C KC", "2S KS", "2S KS", "2D KD", "2D KD", "2H KH", "2H KH",
                                        "3C 4C", "3S 4S"},
                                       {"AC", "AC", "AS", "AS", "AD", "AD", "AH", "AH"})
                              << qint64(300) << int(Solver::Verdict::Unwinnable);
        // The eight of spades empties its column onto a nine, and the kings go there.
        const QString clubs = Suit("C", 1, 13), diamonds = Suit("D", 1, 13), hearts = Suit("H", 1, 13);
        QTest::newRow("won") << Table(QString(), QString(),
                                      {"6S KS", "6S KS", "7S JS", "7S JS", "8S", "8S", "9S", "9S", "TS", "TS QS QS"},
                                      {clubs, clubs, diamonds, diamonds, hearts, hearts, Suit("S", 1, 5),
                                       Suit("S", 1, 5)})
                             << qint64(100000) << int(Solver::Verdict::Winnable);
    }
    void decidedWithoutSearchingThrough()
    {
        QFETCH(QString, table);
        QFETCH(qint64, nodes);
        QFETCH(int, verdict);
        const Solver::GameInfo *game = Solver::findGame("Forty Thieves");
        QVERIFY(game);
        std::string error;
        const Solver::Result result = Solver::solve(*game, Solver::parseTableText(table.toStdString()),
                                                    {{"Autoplay", false}}, {0, nodes, nullptr}, &error);
        QVERIFY2(error.empty(), error.c_str());
        QCOMPARE(int(result.verdict), verdict);
    }
};

QTEST_MAIN(TestThievesProofs)
#include "tst_thievesproofs.moc"
