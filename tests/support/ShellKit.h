// SPDX-License-Identifier: MIT
#pragma once
// The launcher's globals that the shell's windows expect to find. Only shell and
// game tests include this.
#include "shell/Preferences.h"
#include "shell/Sounds.h"
#include "support/Seams.h"

// The sound manager, there while this lives (the launcher's window may also delete it).
struct SoundManagerScope {
    SoundManagerScope()
    {
        if (!SoundManager)
            SoundManager = new TSoundManager;
    }
    ~SoundManagerScope()
    {
        delete SoundManager;
        SoundManager = nullptr;
    }
    Q_DISABLE_COPY(SoundManagerScope)
};

// A fresh preferences dialog as the launcher makes it, read from the current settings.
struct PreferencesScope {
    PreferencesScope()
    {
        delete PreferencesDlg;
        PreferencesDlg = new TPreferencesDlg;
    }
    ~PreferencesScope()
    {
        delete PreferencesDlg;
        PreferencesDlg = nullptr;
    }
    Q_DISABLE_COPY(PreferencesScope)
    TPreferencesDlg *operator->() const { return PreferencesDlg; }
};

// What a launcher or game window needs around it: settings of its own, sounds and
// dialogs recorded instead of played and shown, the sound manager and the preferences.
struct ShellKit {
    SettingsDirectory settings;
    SoundLog sounds;
    DialogLog dialogs;
    SoundManagerScope soundManager;
    PreferencesScope preferences;
    ShellKit() { sounds.clear(); }  // the chime the preferences play when they are made
};
