// SPDX-License-Identifier: MIT
// A second program finishing games: records COUNT games of the game NAME into FILE
// through the program's own record, then waits until every one is written.
//   stats_writer FILE NAME COUNT
#include "stats/StatisticsBook.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 4)
        return 2;
    const QString file = QString::fromLocal8Bit(argv[1]);
    StatisticsBook::Setup setup;
    setup.location = [file] { return file; };
    setup.tell = [](const QString &text) { std::fprintf(stderr, "%s\n", qPrintable(text)); };
    StatisticsBook book(setup);
    const int count = QByteArray(argv[3]).toInt();
    for (int i = 0; i < count; ++i) {
        FinishedGame game;
        game.game = QString::fromLocal8Bit(argv[2]);
        game.cardSize = QStringLiteral("large");
        game.deal = QStringLiteral("AS 2S");
        game.started = game.ended = QDateTime::currentDateTimeUtc();
        game.moves = i;
        game.won = i % 2 == 0;
        book.record(game);
    }
    return book.finish(60000) ? 0 : 1;
}
