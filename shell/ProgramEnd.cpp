// SPDX-License-Identifier: MIT
#include "shell/ProgramEnd.h"

#include "shell/GameCatalog.h"
#include "shell/SolitaireWindow.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>

namespace {

constexpr int retryMs = 100;
constexpr int giveUpMs = 3000;

bool unattended = false;

// Sets the flag for one close and puts it back, whatever the close does.
class Unattended
{
public:
    explicit Unattended(bool on) : previous(unattended) { unattended = unattended || on; }
    ~Unattended() { unattended = previous; }
    Q_DISABLE_COPY(Unattended)

private:
    bool previous;
};

bool closeLauncher(ProgramEnd::Asking asking)
{
    const Unattended scope(asking == ProgramEnd::Asking::Nobody);
    if (!SolitaireForm) {
        QCoreApplication::quit();
        return true;
    }
    return SolitaireForm->close();
}

// Tries again until the launcher has closed; the loop ends at the deadline anyway.
void retryUntilClosed(QDeadlineTimer deadline)
{
    QTimer::singleShot(retryMs, qApp, [deadline] {
        if (deadline.hasExpired()) {
            QCoreApplication::exit(0);
            return;
        }
        if (!closeLauncher(ProgramEnd::Asking::Nobody))
            retryUntilClosed(deadline);
    });
}

}  // namespace

namespace ProgramEnd {

bool end(Asking asking)
{
    if (asking == Asking::Nobody && QApplication::activeModalWidget()) {
        // Every loop ends, the question's too; the games close as the loop ends.
        QCoreApplication::exit(0);
        return true;
    }
    if (closeLauncher(asking))
        return true;
    if (asking == Asking::Player)
        return false;
    retryUntilClosed(QDeadlineTimer(giveUpMs));
    return true;
}

bool isUnattended() { return unattended; }

void closeGames()
{
    const Unattended scope(true);
    for (const GameEntry *game : GameCatalog::entries())
        for (QWidget *open : {game->largeWindow(), game->smallWindow()})
            if (open)
                open->close();
}

}  // namespace ProgramEnd
