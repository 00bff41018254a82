// SPDX-License-Identifier: MIT
#pragma once
#include "platform/Dialogs.h"

#include <QByteArray>
#include <QTemporaryDir>

// What a command that runs without a player stands in: settings in a fresh
// temporary folder, never the player's own; every message box and modal window
// answered at once (a message's text goes to standard error), so nothing waits;
// and no sound. Everything comes back as it was when the session ends.
class HeadlessSession
{
public:
    HeadlessSession();
    ~HeadlessSession();
    Q_DISABLE_COPY(HeadlessSession)

    // False when the temporary settings folder could not be made: the command must
    // not run, since its settings would be the player's.
    bool ready() const { return settings.isValid(); }
    // Says on standard error why the command did not run; returns its exit code.
    int refuse() const;
    QString settingsPath() const { return settings.path(); }

    // How every dialog of the session answers: OK.
    static int answer(const Dialogs::Record &record);

private:
    QTemporaryDir settings;
    QByteArray previousSettingsPath;
    bool hadSettingsPath;
};
