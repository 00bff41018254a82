// SPDX-License-Identifier: MIT
// The position's key is kept up to date as cards move, a pile's share at a time:
// after any run of moves it must be the key of the same piles dealt afresh. So
// must each card's place (its pile and height).
#include "solver/Table.h"

#include <QTest>

#include <random>
#include <utility>

namespace {

// Two interchangeable columns, a stock and a waste.
Solver::Table EmptyTable()
{
    Solver::Table table;
    table.addPile("Column1", 1, 104);
    table.addPile("Column2", 1, 104);
    table.addPile("Stock", 2, 104);
    table.addPile("Waste", 3, 104);
    return table;
}

Solver::Table DealtAfresh(const Solver::Table &like)
{
    Solver::Table table = EmptyTable();
    for (int pile = 0; pile < like.pileCount(); ++pile)
        for (int i = 0; i < like.size(pile); ++i)
            table.push(pile, like.at(pile, i));
    return table;
}

}  // namespace

class TestTable : public QObject
{
    Q_OBJECT

private slots:
    void keptKeyIsTheFreshKey()
    {
        Solver::Table table = EmptyTable();
        for (int card = 0; card < 52; ++card)
            table.push(2, Solver::Card(4 + card));
        std::mt19937 random(5);
        for (int step = 0; step < 2000; ++step) {
            const int from = int(random() % 4), to = int((from + 1 + random() % 3) % 4);
            const int count = table.size(from) == 0 ? 0 : 1 + int(random() % std::uint32_t(table.size(from)));
            switch (random() % 3) {
            case 0: table.moveRun(from, to, count); break;
            case 1: table.turnOver(from, to, count); break;
            default: if (count > 0) table.push(to, table.pop(from));
            }
            QCOMPARE(table.key(), DealtAfresh(table).key());
            for (int pile = 0; pile < 4; ++pile)
                for (int i = 0; i < table.size(pile); ++i)
                    QCOMPARE(std::pair(table.pileOf(table.at(pile, i)), table.heightOf(table.at(pile, i))), std::pair(pile, i));
        }
        // The columns are one group: swapping them is the same position.
        Solver::Table swapped = EmptyTable();
        for (int pile = 0; pile < 4; ++pile)
            for (int i = 0; i < table.size(pile); ++i)
                swapped.push(pile < 2 ? 1 - pile : pile, table.at(pile, i));
        QCOMPARE(swapped.key(), table.key());
    }
};

QTEST_MAIN(TestTable)
#include "tst_table.moc"
