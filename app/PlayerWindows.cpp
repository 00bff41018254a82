// SPDX-License-Identifier: MIT
#include "app/PlayerWindows.h"

#include "app/SandboxTable.h"
#include "shell/GameCatalog.h"
#include "shell/Preferences.h"
#include "shell/Requirements.h"
#include "shell/SolitaireWindow.h"

#include <QApplication>

namespace PlayerWindows {

int runLauncher(const QString &game)
{
    SolitaireForm = new TSolitaireForm;
    PreferencesDlg = new TPreferencesDlg;
    SysRequirementsForm = new TSysRequirementsForm;
    const bool quitOnLastWindow = QApplication::quitOnLastWindowClosed();
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(SolitaireForm, &TSolitaireForm::Closed, qApp, &QCoreApplication::quit);
    SolitaireForm->show();
    if (!game.isEmpty())
        SolitaireForm->SelectGame(GameCatalog::indexOf(game));
    const int result = QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(quitOnLastWindow);
    delete SysRequirementsForm;
    SysRequirementsForm = nullptr;
    delete PreferencesDlg;
    PreferencesDlg = nullptr;
    delete SolitaireForm;
    return result;
}

int runSandbox()
{
    // Closing the table only hides it; it goes when this function returns.
    TSandboxTable table;
    table.show();
    return QApplication::exec();
}

}  // namespace PlayerWindows
