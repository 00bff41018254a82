// SPDX-License-Identifier: MIT
// The common game window's game kept for next time: written when the window closes
// with a game under way, shown again when the window opens.
#include "games/GameWindow.h"

#include "platform/Dialogs.h"
#include "shell/SavedGames.h"

// ---- a game kept for next time ---------------------------------------------------------

// One save per window section; where both card sizes share one ("Golf"), the small
// window's save is marked as the small window's sections are.
QString GameWindow::keptName() const
{
    const QString section = windowSize().placementSection;
    const bool shared = description.large.placementSection == description.small.placementSection;
    return scale == CardScale::Small && shared ? QStringLiteral("s") + section : section;
}

bool GameWindow::gameUnderWay() const { return MoveCount > 0 && !GameOver; }

bool GameWindow::keepGame() { return SavedGames::write(keptName(), savedText()); }

void GameWindow::forgetKeptGame() { SavedGames::remove(keptName()); }

// Opened with a game kept for it, the window shows that game instead of its deal. A
// save that cannot be used is set aside, the player is told, and the deal stays.
void GameWindow::restoreKeptGame()
{
    const SavedGames::SavedGame kept = SavedGames::read(keptName());
    if (kept.status == SavedGames::SavedGame::Status::Absent)
        return;
    QString why = kept.reason;
    if (kept.status == SavedGames::SavedGame::Status::Usable && restoreSaved(kept.text, &why))
        return;
    Dialogs::message(this, SavedGames::setAside(keptName(), why), Dialogs::Icon::Warning);
}
