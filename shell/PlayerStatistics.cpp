// SPDX-License-Identifier: MIT
#include "shell/PlayerStatistics.h"

#include "platform/Dialogs.h"
#include "platform/IniFile.h"
#include "shell/ProgramEnd.h"
#include "stats/StatisticsBook.h"

#include <QApplication>
#include <QPointer>

#include <cstdio>

namespace {
// The longest the program's end waits for another program's lock on the file.
constexpr int finishWaitMs = 2000;
bool ending = false;

// Told in a message box, unless nobody is there to answer it any more.
void tellPlayer(const QString &text)
{
    if (ending || ProgramEnd::isUnattended())
        std::fprintf(stderr, "%s\n", qPrintable(text));
    else
        Dialogs::message(QApplication::activeWindow(), text, Dialogs::Icon::Warning);
}
}  // namespace

namespace PlayerStatistics {

QString filePath() { return IniFile::resolve(QStringLiteral("statistics.sqlite")); }

StatisticsBook &book()
{
    static QPointer<StatisticsBook> instance;
    if (!instance) {
        StatisticsBook::Setup setup;
        setup.location = &filePath;
        setup.tell = &tellPlayer;
        instance = new StatisticsBook(std::move(setup), QCoreApplication::instance());
    }
    return *instance;
}

void record(const FinishedGame &game) { book().record(game); }

void finish()
{
    ending = true;
    book().finish(finishWaitMs);
    ending = false;
}

}  // namespace PlayerStatistics
