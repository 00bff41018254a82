// SPDX-License-Identifier: MIT
#pragma once
#include "stats/FinishedGame.h"

#include <QString>

class StatisticsBook;

// The program's one record of finished games: the file "statistics.sqlite" beside
// the settings file, with what goes wrong told to the player in a message box.
namespace PlayerStatistics {

QString filePath();
// Made on first use, and gone with the application object.
StatisticsBook &book();
void record(const FinishedGame &game);
// The program is ending: a last try for the games still waiting to be written.
void finish();

}  // namespace PlayerStatistics
